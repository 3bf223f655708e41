#include "form_Issue.h"

#include "AboutTexts.h"
#include "Dialogs.h"
#include "Named.h"
#include "RegistryFunctions.h"
#include "Resources.h"
#include "TextFile.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const kProgramKey = "HKEY_CURRENT_USER\\Software\\Norvale\\QLX";
} // namespace

form_Issue::form_Issue(QWidget* parent) : QDialog(parent) {
    Named(this, "form_Issue");
    setWindowTitle(QStringLiteral("EULA"));
    auto* txt_Pad = Named(new QPlainTextEdit(this), "txt_Pad");
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    txt_Pad->setFont(courier);
    txt_Pad->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* Label1 =
        Named(new QLabel(QStringLiteral("Questions?  / Suggestions?     ") + AboutTexts::kFeedback, this),
              "Label1");
    auto* cmd_OK = Named(new QPushButton(QStringLiteral("OK"), this), "cmd_OK");
    cmd_OK->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txt_Pad);
    layout->addWidget(Label1);
    layout->addWidget(cmd_OK, 0, Qt::AlignRight);
    connect(cmd_OK, &QPushButton::clicked, this, &QDialog::accept);
    resize(640, 480);

    txt_Pad->setPlainText(LicenseText());
    txt_Pad->setReadOnly(true);
}

QString form_Issue::LicenseText() {
    const QString folder =
        QString::fromStdString(RegistryFunctions().ReadValue(kProgramKey, "Application Path"));
    const QString path = Resources().ProgramFile(QStringLiteral("EULA.TXT"), folder);
    DecodedText decoded;
    if (folder.isEmpty() || path.isEmpty() || TextFile::Read(path, &decoded)) {
        qlx::MsgBox(QStringLiteral("Missing EULA!"), qlx::vbOKOnly, AboutTexts::kLibraryTitle);
        return QString();
    }
    // Read line by line, every line ends with a line break, the last one too.
    if (!decoded.text.isEmpty() && !decoded.text.endsWith(QLatin1Char('\n')))
        decoded.text += QLatin1Char('\n');
    return decoded.text;
}
