#pragma once

#include <QString>

class QWidget;

namespace Slipdesk {

// Message boxes and the input prompt. The desktop uses QtMessageService; the
// tests install a scripted one so that no test ever waits on a dialog.
class MessageService
{
public:
    enum class Icon { Information, Warning, Question, Error };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~MessageService() = default;

    // The fixed caption of every message box of the program.
    static QString caption();

    // An Ok box; `title` empty means the fixed caption.
    virtual void inform(const QString &text, Icon icon = Icon::Information, const QString &title = QString()) = 0;
    // A Yes/No question; `defaultNo` preselects No for destructive confirmations.
    virtual Answer ask(const QString &text, bool defaultNo = false) = 0;
    // The input prompt: returns false on cancel; `value` holds the preset text
    // on entry and the entered text (at most 255 characters) on Ok.
    virtual bool prompt(const QString &question, QString &value, bool masked = false) = 0;

    // Shorthands with the program's icons.
    void warn(const QString &text) { inform(text, Icon::Warning); }
    void info(const QString &text) { inform(text, Icon::Information); }
    bool confirm(const QString &text, bool defaultNo = false) { return ask(text, defaultNo) == Answer::Yes; }

    // The service the program uses; never null (a Qt one is created on first use).
    static MessageService &instance();
    // Replaces the service (tests); the caller keeps ownership. nullptr restores
    // the default.
    static void install(MessageService *service);
};

} // namespace Slipdesk
