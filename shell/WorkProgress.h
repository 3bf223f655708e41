// Work on a document that may outlast half a second: an open, a save, a search. Once half a second
// has passed, a bar at the foot of the document window shows how far the work is and the program
// keeps painting; work that can stop also shows "Cancel", which Escape presses too. The user's
// other input is held back until the work is done, so the document does not change under it.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

class WorkProgress {
public:
    // window: the document window whose foot shows the bar; total: the units Step counts in.
    WorkProgress(QWidget* window, QString caption, qint64 total, bool cancellable = false);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // Notes how far the work is, and now and then paints. False once the user cancelled.
    bool Step(qint64 done);
    bool Cancelled() const { return cancelled_; }

    // The bar's object name, so that tests can find it.
    static QString BarName() { return QStringLiteral("workProgress"); }
    // How long work runs before the bar shows; tests make it 0 to see the bar on small files.
    static void SetQuietPeriod(qint64 milliseconds);

private:
    class InputGate;

    void ShowBar();
    void PlaceBar();
    void Serve();

    QPointer<QWidget> window_;
    QString caption_;
    qint64 total_;
    bool cancellable_;
    bool cancelled_ = false;
    QElapsedTimer clock_;
    qint64 lastServed_ = -1;
    QPointer<QWidget> bar_;
    QProgressBar* meter_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::unique_ptr<InputGate> gate_;
};
