#include "support/ScriptedMessageService.h"
#include "support/TempDir.h"

#include "platform/ClipboardWatch.h"
#include "platform/MessageService.h"
#include "platform/PrinterService.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "platform/ui/InputPromptDialog.h"
#include "platform/ui/QtMessageService.h"
#include "platform/ui/QtPrinterService.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <functional>
#include <unistd.h>

using namespace Slipdesk;

namespace {

// Runs `body` on the modal dialog of type T once the event loop of its exec()
// is running; the body must close the dialog.
template<typename T> void onModal(std::function<void(T *)> body)
{
    QTimer::singleShot(0, [body] {
        T *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "no modal dialog of the expected type";
        body(dialog);
    });
}

} // namespace

// ---------------------------------------------------------------------------
// Message service

TEST(MessageService, InstanceIsTheInstalledServiceWhileItLives)
{
    EXPECT_EQ(MessageService::caption(), QStringLiteral(u"Slipdesk软件"));
    {
        ScriptedMessageService scripted;
        EXPECT_EQ(&MessageService::instance(), &scripted);
        MessageService::instance().warn(QStringLiteral(u"请输入收件人"));
        EXPECT_EQ(scripted.texts(MessageService::Icon::Warning), QStringList {QStringLiteral(u"请输入收件人")});
    }
    // Gone again: the program's own service takes over, never a dangling one.
    EXPECT_NE(dynamic_cast<QtMessageService *>(&MessageService::instance()), nullptr);
}

TEST(MessageService, ScriptedServiceFailsInsteadOfWaitingForAnAnswer)
{
    ScriptedMessageService scripted;
    MessageService::Answer answer = MessageService::Answer::Yes;
    EXPECT_NONFATAL_FAILURE(answer = scripted.ask(QStringLiteral(u"确定删除吗?"), true), "unexpected question");
    EXPECT_EQ(answer, MessageService::Answer::No);

    QString value = QStringLiteral("keep");
    bool ok = true;
    EXPECT_NONFATAL_FAILURE(ok = scripted.prompt(QStringLiteral(u"请输入名称"), value), "unexpected input prompt");
    EXPECT_FALSE(ok);
    EXPECT_EQ(value, QStringLiteral("keep"));

    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessageService unused;
            unused.answer(MessageService::Answer::Yes);
        },
        "never asked");
}

TEST(MessageService, QtQuestionBoxPreselectsNoForDestructiveConfirmations)
{
    QtMessageService service;
    for (bool defaultNo : {false, true}) {
        onModal<QMessageBox>([defaultNo](QMessageBox *box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral(u"Slipdesk软件"));
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            EXPECT_EQ(box->defaultButton()->text(), defaultNo ? QStringLiteral(u"否(&N)") : QStringLiteral(u"是(&Y)"));
            box->defaultButton()->click();
        });
        EXPECT_EQ(service.ask(QStringLiteral(u"确定删除吗?"), defaultNo),
            defaultNo ? MessageService::Answer::No : MessageService::Answer::Yes);
    }

    // Escape never counts as consent.
    onModal<QMessageBox>([](QMessageBox *box) { box->reject(); });
    EXPECT_EQ(service.ask(QStringLiteral(u"确定作废吗?")), MessageService::Answer::No);
}

TEST(MessageService, QtInformationBoxShowsUserTextLiterally)
{
    QtMessageService service;
    const QString text = QStringLiteral(u"<b>张三</b> 已保存");
    onModal<QMessageBox>([text](QMessageBox *box) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral(u"错误"));
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->text(), text);
        EXPECT_EQ(box->defaultButton()->text(), QStringLiteral(u"确定"));
        box->defaultButton()->click();
    });
    service.inform(text, MessageService::Icon::Error, QStringLiteral(u"错误"));
}

// ---------------------------------------------------------------------------
// Input prompt

TEST(InputPromptDialog, StartsWithThePresetTextSelectedAndOkAsDefault)
{
    InputPromptDialog dialog(QStringLiteral(u"请输入新模版名称"), QStringLiteral(u"顺丰速运"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral(u"Slipdesk软件"));
    EXPECT_TRUE(dialog.isModal());
    EXPECT_EQ(dialog.promptLabel()->text(), QStringLiteral(u"请输入新模版名称"));
    EXPECT_TRUE(dialog.promptLabel()->wordWrap());
    EXPECT_EQ(dialog.lineEdit()->maxLength(), 255);
    EXPECT_EQ(dialog.lineEdit()->text(), QStringLiteral(u"顺丰速运"));
    EXPECT_EQ(dialog.lineEdit()->selectedText(), QStringLiteral(u"顺丰速运"));
    EXPECT_EQ(dialog.lineEdit()->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(dialog.okButton()->text(), QStringLiteral(u"确定(&O)"));
    EXPECT_EQ(dialog.cancelButton()->text(), QStringLiteral(u"取消(&C)"));
    EXPECT_TRUE(dialog.okButton()->isDefault());
    EXPECT_FALSE(dialog.cancelButton()->isDefault());

    InputPromptDialog masked(QStringLiteral(u"请输入密码"), QStringLiteral("secret"), true);
    EXPECT_EQ(masked.lineEdit()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(masked.lineEdit()->selectedText(), QStringLiteral("secret"));

    InputPromptDialog tooLong(QStringLiteral(u"请输入"), QString(300, QLatin1Char('x')));
    EXPECT_EQ(tooLong.value().size(), 255);
}

TEST(InputPromptDialog, OkReturnsTheTextAndCancelLeavesTheValueAlone)
{
    QString value = QStringLiteral(u"旧名称");
    onModal<InputPromptDialog>([](InputPromptDialog *dialog) {
        dialog->lineEdit()->setText(QStringLiteral(u"新名称"));
        dialog->okButton()->click();
    });
    EXPECT_TRUE(QtMessageService().prompt(QStringLiteral(u"请输入名称"), value));
    EXPECT_EQ(value, QStringLiteral(u"新名称"));

    onModal<InputPromptDialog>([](InputPromptDialog *dialog) {
        dialog->lineEdit()->setText(QStringLiteral(u"不要"));
        dialog->cancelButton()->click();
    });
    EXPECT_FALSE(InputPromptDialog::getText(nullptr, QStringLiteral(u"请输入名称"), value));
    EXPECT_EQ(value, QStringLiteral(u"新名称"));
}

// ---------------------------------------------------------------------------
// Single instance

TEST(SingleInstance, SecondInstanceIsRefusedUntilTheFirstReleases)
{
    TempDir dir;
    SingleInstance first(QStringLiteral("SlipdeskPosts"), dir.path());
    SingleInstance second(QStringLiteral("SlipdeskPosts"), dir.path());
    ASSERT_EQ(first.acquire(), SingleInstance::Result::Acquired);
    EXPECT_TRUE(dir.exists(QStringLiteral("SlipdeskPosts.lock")));
    EXPECT_EQ(second.acquire(), SingleInstance::Result::AlreadyRunning);
    EXPECT_EQ(second.acquire(), SingleInstance::Result::AlreadyRunning);

    first.release();
    EXPECT_FALSE(dir.exists(QStringLiteral("SlipdeskPosts.lock")));
    EXPECT_EQ(second.acquire(), SingleInstance::Result::Acquired);
    EXPECT_EQ(first.acquire(), SingleInstance::Result::AlreadyRunning);
}

TEST(SingleInstance, LockLeftByACrashedProcessIsTakenOver)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("SlipdeskPosts.lock"));

    // Let Qt write a genuine lock file for us, then make its owner a process
    // that does not exist, as if the program had crashed.
    QByteArray contents;
    {
        QLockFile probe(path);
        ASSERT_TRUE(probe.tryLock(0));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        contents = file.readAll();
    }
    ASSERT_FALSE(QFile::exists(path));
    qint64 deadPid = 999999;
    while (::kill(pid_t(deadPid), 0) == 0 || errno != ESRCH)
        ++deadPid;
    contents = QByteArray::number(deadPid) + contents.mid(contents.indexOf('\n'));
    dir.write(QStringLiteral("SlipdeskPosts.lock"), contents);

    SingleInstance instance(QStringLiteral("SlipdeskPosts"), dir.path());
    EXPECT_EQ(instance.acquire(), SingleInstance::Result::Acquired);
    EXPECT_EQ(
        SingleInstance(QStringLiteral("SlipdeskPosts"), dir.path()).acquire(), SingleInstance::Result::AlreadyRunning);
}

TEST(SingleInstance, UnreadableLockFileDoesNotBlockStartingForever)
{
    TempDir dir;
    dir.write(QStringLiteral("SlipdeskPosts.lock"), QByteArray()); // crash before the owner was written
    SingleInstance instance(QStringLiteral("SlipdeskPosts"), dir.path());
    EXPECT_EQ(instance.acquire(), SingleInstance::Result::Acquired);
}

TEST(SingleInstance, LockFolderThatCannotBeWrittenFails)
{
    TempDir dir;
    dir.write(QStringLiteral("plain-file"), "x");
    // A folder below a plain file can never exist, whoever runs the test.
    SingleInstance below(QStringLiteral("SlipdeskPosts"), dir.file(QStringLiteral("plain-file/sub")));
    EXPECT_EQ(below.acquire(), SingleInstance::Result::Failed);

    if (::geteuid() != 0) {
        QDir().mkpath(dir.file(QStringLiteral("ro")));
        QFile::setPermissions(dir.file(QStringLiteral("ro")), QFile::ReadOwner | QFile::ExeOwner);
        SingleInstance readOnly(QStringLiteral("SlipdeskPosts"), dir.file(QStringLiteral("ro")));
        EXPECT_EQ(readOnly.acquire(), SingleInstance::Result::Failed);
        QFile::setPermissions(dir.file(QStringLiteral("ro")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

// ---------------------------------------------------------------------------
// Clipboard watch

TEST(ClipboardWatch, TriggersOnlyForLongTextCopiedInAnotherProgram)
{
    struct Case
    {
        const char *what;
        QString text;
        bool enabled;
        bool weAreActive;
        bool expected;
    };
    const QString chinese10 = QString(10, QChar(0x5F20)); // 张 x10 = 20 bytes
    const Case cases[] = {
        {"ten Chinese characters are 20 bytes", chinese10, true, false, false},
        {"eleven Chinese characters", chinese10 + QChar(0x5F20), true, false, true},
        {"ten Chinese and one ASCII", chinese10 + QLatin1Char('1'), true, false, true},
        {"20 ASCII", QString(20, QLatin1Char('a')), true, false, false},
        {"21 ASCII", QString(21, QLatin1Char('a')), true, false, true},
        {"empty", QString(), true, false, false},
        {"watch switched off", QString(40, QLatin1Char('a')), false, false, false},
        {"copied inside the program", QString(40, QLatin1Char('a')), true, true, false},
    };
    ClipboardWatch watch;
    for (const Case &c : cases) {
        watch.setEnabled(c.enabled);
        EXPECT_EQ(watch.shouldTrigger(c.text, c.weAreActive), c.expected) << c.what;
    }
}

TEST(ClipboardWatch, ClipboardChangeEmitsTheCopiedText)
{
    ClipboardWatch watch;
    bool weAreActive = false;
    watch.setActiveCheck([&weAreActive] { return weAreActive; });
    QStringList seen;
    QObject::connect(&watch, &ClipboardWatch::triggered, [&seen](const QString &text) { seen.append(text); });
    const QString order = QStringLiteral(u"张三，13800138000，浙江省 杭州市 西湖区 文三路1号");

    QGuiApplication::clipboard()->setText(order);
    EXPECT_TRUE(seen.isEmpty()) << "the watch starts switched off";

    watch.setEnabled(true);
    QGuiApplication::clipboard()->setText(QStringLiteral("short"));
    QGuiApplication::clipboard()->setText(order);
    EXPECT_EQ(seen, QStringList {order});

    weAreActive = true;
    QGuiApplication::clipboard()->setText(order + QLatin1Char('2'));
    EXPECT_EQ(seen, QStringList {order}) << "copies made inside the program never trigger";
}

// ---------------------------------------------------------------------------
// Printers and shell

namespace {
class FakePrinters : public PrinterService
{
public:
    QStringList printerNames() const override { return {QStringLiteral("A"), QStringLiteral("B")}; }
    QString defaultPrinterName() const override { return QStringLiteral("B"); }
};
} // namespace

TEST(PrinterService, InstalledServiceReplacesTheSystemOneUntilRemoved)
{
    FakePrinters fake;
    PrinterService::install(&fake);
    EXPECT_EQ(PrinterService::instance().printerNames(), (QStringList {QStringLiteral("A"), QStringLiteral("B")}));
    PrinterService::install(nullptr);
    EXPECT_NE(dynamic_cast<QtPrinterService *>(&PrinterService::instance()), nullptr);
}

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

TEST(Shell, HelpOpensTheHelpPageInTheBrowser)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    ScriptedMessageService messages;
    EXPECT_TRUE(Shell::openHelp());
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    EXPECT_EQ(catcher.urls, QList<QUrl> {Shell::helpUrl()});
    EXPECT_TRUE(messages.calls().isEmpty());
}

TEST(Shell, AboutTextStartsWithTheWindowCaptionAndNamesTheShop)
{
    const QString caption = QStringLiteral(u"2010-05-04 Slipdesk网店管家进销存软件");
    const QStringList lines = Shell::aboutText(caption).split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.first(), caption);
    EXPECT_TRUE(Shell::aboutText(caption).contains(Shell::shopUrl().toString()));
}

#include "PlatformTest.moc"
