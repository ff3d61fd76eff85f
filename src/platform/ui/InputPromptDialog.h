#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace Slipdesk {

// The small modal "请输入…" dialog: one word-wrapped question, one edit line
// preset with the current text (fully selected so that typing replaces it),
// centred on the screen.
class InputPromptDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int MaxLength = 255;

    InputPromptDialog(const QString &question, const QString &value, bool masked = false, QWidget *parent = nullptr);

    QString value() const;

    QLabel *promptLabel() const { return m_label; }
    QLineEdit *lineEdit() const { return m_edit; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    // Runs the dialog; on Ok stores the entered text in `value` and returns
    // true, on cancel leaves `value` untouched and returns false.
    static bool getText(QWidget *parent, const QString &question, QString &value, bool masked = false);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void centreOnScreen();

    QLabel *m_label = nullptr;
    QLineEdit *m_edit = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace Slipdesk
