#include "RtfPad.h"

#include "RtfReader.h"
#include "RtfWriter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>

namespace {
// The names under which programs offer rich text: the desktop's and the older one.
const QString kRtfTypes[] = {QStringLiteral("text/rtf"), QStringLiteral("application/rtf")};
} // namespace

RtfPad::RtfPad(QWidget* parent) : QTextEdit(parent) {}

QString RtfPad::PlainText(QString raw) {
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    raw.replace(QChar::LineSeparator, QLatin1Char('\n'));
    raw.remove(QChar::ObjectReplacementCharacter);
    return raw;
}

void RtfPad::CopySelection() {
    QGuiApplication::clipboard()->setMimeData(createMimeDataFromSelection());
}

QMimeData* RtfPad::createMimeDataFromSelection() const {
    const QTextCursor selection = textCursor();
    auto* data = new QMimeData;
    const QByteArray rtf = RtfWriter::Write(selection);
    for (const QString& type : kRtfTypes)
        data->setData(type, rtf);
    data->setText(PlainText(selection.selectedText()));
    return data;
}

bool RtfPad::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText() || source->hasFormat(kRtfTypes[0]) || source->hasFormat(kRtfTypes[1]);
}

void RtfPad::insertFromMimeData(const QMimeData* source) {
    for (const QString& type : kRtfTypes) {
        QTextCursor cursor = textCursor();
        if (source->hasFormat(type) && RtfReader::Insert(source->data(type), cursor)) {
            setTextCursor(cursor);
            ensureCursorVisible();
            return;
        }
    }
    if (source->hasText())
        insertPlainText(source->text());
}

void RtfPad::keyReleaseEvent(QKeyEvent* event) {
    QTextEdit::keyReleaseEvent(event);
    // A held key repeats as release and press pairs; only the real release counts.
    if (!event->isAutoRepeat())
        emit KeyReleased(*event);
}

void RtfPad::mousePressEvent(QMouseEvent* event) {
    QTextEdit::mousePressEvent(event);
    emit MousePressed();
}
