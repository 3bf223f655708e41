#include "SendToLink.h"

#include <QDir>

#include <windows.h>

#include <shlobj.h>

namespace {

QString SendToFolder() {
    PWSTR folder = nullptr;
    QString path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_SendTo, 0, nullptr, &folder)))
        path = QDir::fromNativeSeparators(QString::fromWCharArray(folder));
    CoTaskMemFree(folder);
    return path;
}

LPCWSTR Native(const QString& path) {
    return reinterpret_cast<LPCWSTR>(path.utf16());
}

} // namespace

QString SendToLink::FilePath() {
    return SendToFolder() + QStringLiteral("/Quillon Editor.lnk");
}

bool SendToLink::Create(const QString& appFolder) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))))
        return false;
    const QString target = QDir::toNativeSeparators(appFolder + QStringLiteral("/QLX.EXE"));
    const QString path = QDir::toNativeSeparators(FilePath());
    IPersistFile* file = nullptr;
    bool saved = SUCCEEDED(link->SetPath(Native(target))) &&
                 SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&file)));
    if (file) {
        saved = saved && SUCCEEDED(file->Save(Native(path), TRUE));
        file->Release();
    }
    link->Release();
    return saved;
}
