#pragma once

#include "datawin/BatchRun.h"

#include <QObject>

#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;

namespace Slipdesk {

// A batch run as a tab shows it: the group "批量打印" with the position box
// and the total, the button that saves to the queue outside a run and ends
// the run during one, and the buttons a run disables. It drives the run:
// each finished print moves on to the next row, and a continuous run prints
// on in a loop (never nested calls) that lets the window handle input
// between two forms, so that the end button stops the run at the next form.
class BatchRunControl : public QObject
{
    Q_OBJECT
public:
    struct Widgets
    {
        QGroupBox *group = nullptr;
        QSpinBox *position = nullptr;
        QLabel *total = nullptr;
        QPushButton *endButton = nullptr;
        QString idleCaption; // "保存(&S)" / "批打保存"
        QString runCaption; // "结束(&E)" / "结束批打"
        QList<QWidget *> disabled; // the buttons that open other tables
    };
    struct Steps
    {
        std::function<void(const BatchRun &)> load; // the current row into the fields
        std::function<bool()> print; // one form printed and recorded; false when not printed
        std::function<bool()> windowActive; // the position box follows the user only then
        std::function<void()> ended; // after the end of the run (the focus)
    };

    BatchRunControl(const Widgets &widgets, const Steps &steps, QObject *parent);
    ~BatchRunControl() override;

    bool running() const { return m_run != nullptr; }
    // Inside the continuous loop: a print button pressed now must wait.
    bool busy() const { return m_inLoop; }
    const BatchRun *run() const { return m_run.get(); }

    // "开始批打" handed over by the data window: the group shown, position 1
    // of the range loaded, the end button relabelled, the other tables closed.
    void start(const BatchStart &start);
    // The tab's print button: one form printed and, during a run, the batch
    // step. False when nothing was printed, or while a continuous run prints
    // the next form itself.
    bool printPressed();
    // The batch step after a finished print: the row recorded, then the next
    // row, printed at once in a continuous run, until the last one ends it.
    void printed();
    // The end button during a run.
    void endByHand();

Q_SIGNALS:
    // The run is over and its question answered: "开始批打" works again.
    void runEnded();

private:
    void positionChanged(int value);
    void showPosition();
    void finish();

    Widgets m_widgets;
    Steps m_steps;
    std::unique_ptr<BatchRun> m_run;
    bool m_inLoop = false;
    bool m_loading = false;
};

} // namespace Slipdesk
