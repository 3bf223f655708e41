#include "BenchShell.h"

#include "EventQueue.h"
#include "Global.h"
#include "Startup.h"
#include "mdform_QLEditor.h"

#include <QDir>
#include <QFile>

BenchShell::BenchShell(const QString& folder) {
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "HOME"}) {
        const QString path = folder + QLatin1Char('/') + QString::fromLatin1(name);
        QDir().mkpath(path);
        qputenv(name, QFile::encodeName(path));
    }
    global_ = std::make_unique<Global>(folder, QString());
    main_ = std::make_unique<mdform_QLEditor>(*global_);
    Startup::RegisterEditors(main_->DocumentOpener());
    main_->Load();
    EventQueue::ServeUntilIdle();
}

BenchShell::~BenchShell() = default;

DocumentWindow* BenchShell::Open(const QString& path, DocType type) {
    main_->DocumentOpener().PresetOpen(path, type);
    main_->DocumentOpener().OpenFileDialog();
    EventQueue::ServeUntilIdle();
    return global_->Slot(type, global_->CurrentSlot(type)).window;
}

DocumentWindow* BenchShell::OpenCopy(const QString& input, const QString& copy, DocType type,
                                     const ChildRun::Record& record) {
    QFile::remove(copy);
    QFile::copy(input, copy);
    DocumentWindow* window = nullptr;
    record(EventQueue::TimedUntilIdle([&] { window = Open(copy, type); }));
    return window;
}
