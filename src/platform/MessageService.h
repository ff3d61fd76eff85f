#pragma once

#include <QString>

#include <memory>

namespace Slipdesk {

// Message boxes and the input prompt. The desktop program makes real Qt
// dialogs its default; the command line keeps the headless default, which
// writes messages to standard error and answers every question with No;
// tests install a scripted service so that no test ever waits on a dialog.
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
    virtual Answer ask(const QString &text, bool defaultNo = false, Icon icon = Icon::Question) = 0;
    // The input prompt: returns false on cancel; `value` holds the preset text
    // on entry and the entered text (at most 255 characters) on Ok.
    virtual bool prompt(const QString &question, QString &value, bool masked = false) = 0;

    // Shorthands with the program's icons.
    void warn(const QString &text) { inform(text, Icon::Warning); }
    void info(const QString &text) { inform(text, Icon::Information); }
    bool confirm(const QString &text, bool defaultNo = false) { return ask(text, defaultNo) == Answer::Yes; }

    // The service the program uses: the installed one, else the default;
    // never null.
    static MessageService &instance();
    // Replaces the service (tests); the caller keeps ownership. nullptr restores
    // the default.
    static void install(MessageService *service);
    // The program's own service, used whenever none is installed.
    static void setDefault(std::unique_ptr<MessageService> service);
};

// Messages for a program without a window: each one is a line on standard
// error; questions are answered No and prompts cancelled, so that nothing
// destructive ever happens unasked.
class HeadlessMessageService : public MessageService
{
public:
    void inform(const QString &text, Icon icon = Icon::Information, const QString &title = QString()) override;
    Answer ask(const QString &text, bool defaultNo = false, Icon icon = Icon::Question) override;
    bool prompt(const QString &question, QString &value, bool masked = false) override;
};

} // namespace Slipdesk
