#include "Settings.h"

#include "RegistryFunctions.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace {
std::string Utf8(const QString& text) {
    return text.toStdString();
}

// A whole number, or nullopt for the empty text and anything that is not one.
std::optional<int> Number(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}
} // namespace

Settings::Settings(RegistryFunctions& registry) : registry_(registry) {}

QString Settings::KeyPath(const QString& subKey) {
    const QString main = QString::fromLatin1(kMainKey);
    return subKey.isEmpty() ? main : main + QLatin1Char('\\') + subKey;
}

QString Settings::Read(const QString& name, const QString& subKey) const {
    return QString::fromStdString(registry_.ReadValue(Utf8(KeyPath(subKey)), Utf8(name)));
}

bool Settings::Write(const QString& name, const QString& value, const QString& subKey) {
    return registry_.WriteValue(Utf8(KeyPath(subKey)), Utf8(name), Utf8(value), "REG_SZ");
}

void Settings::CreateMainKeys() {
    registry_.AddKey("HKEY_CURRENT_USER\\SOFTWARE\\Norvale");
    mainKeyGate = registry_.AddKey(kMainKey);
}

void Settings::CreateKey(const QString& subKey) {
    registry_.AddKey(Utf8(KeyPath(subKey)));
}

void Settings::ReadStartup() {
    ReadFlags();
    ReadEditorDefaults();
    CreateKey(QStringLiteral("REG Editor"));
    ReadAutoSave();
}

void Settings::ReadFlags() {
    if (!mainKeyGate)
        return;
    mdiTop_ = Read(QStringLiteral("MDI Top"));
    mdiLeft_ = Read(QStringLiteral("MDI Left"));
    mdiWidth_ = Read(QStringLiteral("MDI Width"));
    mdiHeight_ = Read(QStringLiteral("MDI Height"));
    supressResults = IsOn(Read(QStringLiteral("Supress Results")));
    containSRD = IsOn(Read(QStringLiteral("Contain SRD")));
    startEditorsMax = IsOn(Read(QStringLiteral("Start Editors Max")));
    mdiMax_ = IsOn(Read(QStringLiteral("MDI Max")));
    multiSelect = IsOn(Read(QStringLiteral("MultiSelect")));
}

void Settings::ReadEditorDefaults() {
    const QString txt = QStringLiteral("TXT Editor");
    txtKeyGate = registry_.AddKey(Utf8(KeyPath(txt)));
    if (txtKeyGate) {
        const QString font = Read(QStringLiteral("Default Font"), txt);
        if (!font.isEmpty())
            txtDefaultFont = font;
        const int size = Number(Read(QStringLiteral("Default Size"), txt)).value_or(0);
        if (size > 0)
            txtDefaultSize = size;
        const QString filter = Read(QStringLiteral("File Filter"), txt);
        if (!filter.isEmpty())
            txtFileFilter = filter;
    }
    const QString rtf = QStringLiteral("RTF Editor");
    rtfKeyGate = registry_.AddKey(Utf8(KeyPath(rtf)));
    if (rtfKeyGate) {
        const QString filter = Read(QStringLiteral("File Filter"), rtf);
        if (!filter.isEmpty())
            rtfFileFilter = filter;
    }
}

void Settings::ReadAutoSave() {
    autoSaveMinutes = std::clamp(Number(Read(QStringLiteral("AutoSave"))).value_or(0), 0, 99);
}

WindowPlacement Settings::Placement(int screenWidth, int screenHeight) const {
    const auto top = Number(mdiTop_), left = Number(mdiLeft_);
    const auto width = Number(mdiWidth_), height = Number(mdiHeight_);
    if (mainKeyGate && top && left && width && height)
        return {*top, *left, *width, *height, mdiMax_};
    WindowPlacement centred;
    centred.width = int(0.75 * screenWidth);
    centred.height = int(0.75 * screenHeight);
    centred.top = (screenHeight - centred.height) / 2;
    centred.left = (screenWidth - centred.width) / 2;
    return centred;
}

void Settings::WriteGeometry(const WindowPlacement& placement) {
    if (!mainKeyGate)
        return;
    if (placement.maximized) {
        Write(QStringLiteral("MDI Max"), QStringLiteral("1"));
        return;
    }
    Write(QStringLiteral("MDI Max"), QStringLiteral("0"));
    Write(QStringLiteral("MDI Top"), QString::number(placement.top));
    Write(QStringLiteral("MDI Left"), QString::number(placement.left));
    Write(QStringLiteral("MDI Height"), QString::number(placement.height));
    Write(QStringLiteral("MDI Width"), QString::number(placement.width));
}

QString Settings::LastSaveFolder(const QString& folder) {
    if (!folder.isEmpty()) {
        if (QFileInfo(folder).isDir())
            Write(QStringLiteral("Last Save"), folder);
        return QString();
    }
    const QString last = Read(QStringLiteral("Last Save"));
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return QString::fromStdString(registry_.ReadValue(kShellFolders, "Personal"));
}
