#include "Application.h"
#include "Control.h"
#include "Fonts.h"
#include "MessageWindow.h"
#include "TButton.h"
#include "TComboBox.h"
#include "THelpForm.h"
#include "TLabel.h"
#include "TMainMenu.h"
#include "TMemo.h"
#include "TMenuItem.h"
#include "TPCIForm.h"
#include "TRichEdit.h"
#include "TSetupSupporter.h"
#include "TTechForm.h"
#include "VELWDM.h"

#include <QAbstractEventDispatcher>
#include <QMetaProperty>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace {

// A driver library played in-process: BindDriverLibrary loads it through the binding's test
// seam, so the tests see every load and every GetNumCards call.
namespace FakeDriver {
int loads = 0;
int countCalls = 0;
int count = 0;
bool exportsGetNumCards = true;

void *load(const char *) { ++loads; return &loads; }
int32_t getNumCards() { ++countCalls; return count; }
void *lookup(void *, const char *name)
{
    if (exportsGetNumCards && std::strcmp(name, "GetNumCards") == 0)
        return reinterpret_cast<void *>(&getNumCards);
    return nullptr;
}
void reset(int boards)
{
    loads = countCalls = 0;
    count = boards;
    exportsGetNumCards = true;
    ResetDriverBindingForTesting(DriverLoader{&load, &lookup});
}
} // namespace FakeDriver

struct Box {
    QString text, caption;
    unsigned style;
};

const QString Company = QStringLiteral("Velmar");
const QString CardA = QStringLiteral("QRT-216/224/232(X)");
const QString CardB = QStringLiteral("QRT-216/224/232");
const QString CallHow = QStringLiteral("from 8 AM to 5 PM Pacific Time, Monday through Friday,");

// The product's main window as far as the supporter sees it: a form with "&File" > "&Exit"
// and "&Help", and a supporter with the product's texts. OnGetCardString answers from
// cardTexts and counts its calls.
class Fixture
{
public:
    explicit Fixture(const QString &fileCaption = QStringLiteral("&File"), bool withCardString = true)
        : main(std::make_unique<TForm>())
    {
        main->setName(QStringLiteral("MainForm"));
        menu = new TMainMenu(main.get());
        file = item(menu->items(), fileCaption);
        exit = item(file, QStringLiteral("&Exit"));
        help = item(menu->items(), QStringLiteral("&Help"));
        howTo = item(help, QStringLiteral("H&ow to use this program"));
        main->setMenu(menu);
        main->setClientSize(640, 400);
        supporter = new TSetupSupporter(main.get());
        supporter->setName(QStringLiteral("SetSup"));
        supporter->setCompanyName(Company);
        supporter->setCardNameA(CardA);
        supporter->setCardNameB(CardB);
        supporter->setCallHow(CallHow);
        supporter->setMultiPort(true);
        if (withCardString)
            supporter->setOnGetCardString([this](QObject *sender, int index) {
                ++cardStringCalls;
                senders.append(sender);
                return cardTexts.value(index);
            });
        Application::instance()->setMainForm(main.get());
    }
    ~Fixture() { Application::instance()->setMainForm(nullptr); }

    TMenuItem *item(TMenuItem *parent, const QString &caption)
    {
        auto *i = new TMenuItem(menu);
        i->setCaption(caption);
        parent->add(i);
        return i;
    }

    QTextDocument *instructions() const { return supporter->HelpForm()->HelpRich()->document(); }

    std::unique_ptr<TForm> main;
    TMainMenu *menu;
    TMenuItem *file, *exit, *help, *howTo;
    TSetupSupporter *supporter;
    QStringList cardTexts{QStringLiteral("QRT-216\r\nBase Address: 0300")};
    int cardStringCalls = 0;
    QList<QObject *> senders;
};

// Counts the timer messages a window receives.
class TickCounter : public QObject
{
public:
    explicit TickCounter(QObject *window) { window->installEventFilter(this); }
    int ticks = 0;
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Timer)
            ++ticks;
        return false;
    }
};

bool timerRuns(TSetupSupporter *supporter)
{
    return !QAbstractEventDispatcher::instance()->registeredTimers(supporter->TimerWindow()).isEmpty();
}

// The format of the first character of text's first occurrence.
QTextCharFormat formatOf(QTextDocument *doc, const QString &text)
{
    const QTextCursor found = doc->find(text);
    if (found.isNull())
        return {};
    QTextCursor first(doc);
    first.setPosition(found.selectionStart() + 1);
    return first.charFormat();
}

QStringList blocks(QTextDocument *doc)
{
    QStringList texts;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        texts.append(b.text());
    return texts;
}

const QColor DarkGrey(64, 64, 64), Yellow(255, 255, 64), Blue(64, 64, 255), Red(255, 64, 64);

constexpr unsigned ErrorBoxStyle = 0x10 | 0x0; // the standard error box: stop icon, OK
constexpr unsigned NotAssignedStyle = 0x50030;
constexpr unsigned FailureStyle = 0x50135;

} // namespace

class TestTSetupSupporter : public QObject
{
    Q_OBJECT

    QList<Box> boxes;
    int answer = MessageBoxResult::Cancel;

private slots:
    void initTestCase() { InstallApplicationFonts(); }

    void init()
    {
        boxes.clear();
        answer = MessageBoxResult::Cancel;
        Application::instance()->setMessageBoxFunction([this](const QString &text, const QString &caption,
                                                              unsigned style) {
            boxes.append({text, caption, style});
            return answer;
        });
        FakeDriver::reset(1);
    }

    void cleanup()
    {
        Application::instance()->setOnIdle({});
        Application::instance()->setMessageBoxFunction({});
    }

    void shouldStartWithThePublishedInitialValues()
    {
        TSetupSupporter supporter;
        const QVariantMap expected{
            {QStringLiteral("CompanyName"), QString()},  {QStringLiteral("CardNameA"), QString()},
            {QStringLiteral("CardNameB"), QString()},    {QStringLiteral("UseCardNameB"), false},
            {QStringLiteral("CallHow"), QString()},      {QStringLiteral("MultiPort"), false},
            {QStringLiteral("Channels"), 8},             {QStringLiteral("ChangeButtons"), true},
            {QStringLiteral("bSeries"), true},
        };
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            const QVariant value = supporter.property(it.key().toLatin1());
            QVERIFY2(value.isValid(), qPrintable(it.key()));
            if (it.value().typeId() == QMetaType::Int)
                QCOMPARE(value.toInt(), it.value().toInt());
            else
                QCOMPARE(value.toString(), it.value().toString());
        }
        QCOMPARE(supporter.property("Channels").metaType(), QMetaType::fromType<quint8>());
        for (const char *event : {"OnBeginCalib", "OnStopButtonClick", "OnStartButtonClick"})
            QVERIFY2(!supporter.property(event).value<NotifyEvent>(), event);
        QVERIFY(!supporter.property("OnGetCardString").value<PCIEvent>());
        QVERIFY(!supporter.property("OnGetCalibString").value<CalibEvent>());
        QVERIFY(!supporter.HelpPending());
        QVERIFY(!supporter.Calibrating());
        QVERIFY(!timerRuns(&supporter));
        QVERIFY(supporter.CalibPopups().isEmpty());
    }

    void shouldBuildOnceAtTheFirstIdleAndShowTheInstructionsAtOneTick()
    {
        Fixture f;
        TickCounter counter(f.supporter->TimerWindow());
        TSetupSupporter *supporter = f.supporter;
        Application::instance()->setOnIdle([supporter](QObject *sender, bool &done) {
            supporter->FirstIdle(sender, done);
        });
        f.main->show();

        QTRY_VERIFY(f.supporter->HeaderLabel());
        QVERIFY(!Application::instance()->onIdle()); // unhooked before the build
        // Everything built belongs to the main window.
        for (QObject *built : {static_cast<QObject *>(f.supporter->HeaderLabel()),
                               static_cast<QObject *>(f.supporter->HelpForm()),
                               static_cast<QObject *>(f.supporter->TechForm()),
                               static_cast<QObject *>(f.supporter->PCIForm())})
            QCOMPARE(Component::of(built)->owner(), static_cast<Component *>(f.main.get()));
        QVERIFY(f.supporter->PCIForm()->isVisible());
        QVERIFY(!f.supporter->TechForm()->isVisible());

        QTRY_VERIFY(f.supporter->HelpForm()->isVisible());
        QCOMPARE(counter.ticks, 1);
        QVERIFY(!f.supporter->HelpPending());
        // Nothing is left that could tick again.
        QVERIFY(!timerRuns(f.supporter));
        QCOMPARE(FakeDriver::loads, 1);
        QCOMPARE(f.cardStringCalls, 1);
        QCOMPARE(f.senders, QList<QObject *>{f.supporter});
    }

    void shouldWriteTheHeader_data()
    {
        QTest::addColumn<bool>("series");
        QTest::addColumn<bool>("useB");
        QTest::addColumn<bool>("cardString");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("header");
        const QStringList one{QStringLiteral("QRT-216\r\nBase Address: 0300")};
        QTest::newRow("boards found") << true << false << true << 1 << one
                                      << "QRT-216/224/232(X) Series Settings Program";
        QTest::newRow("none found") << true << false << true << 0 << one << "No QRT-216/224/232(X) Series Card Found";
        QTest::newRow("only empty texts") << true << false << true << 2 << QStringList{QString(), QString()}
                                          << "No QRT-216/224/232(X) Series Card Found";
        QTest::newRow("bSeries false, found") << false << false << true << 1 << one
                                              << "QRT-216/224/232(X) Settings Program";
        QTest::newRow("bSeries false, none") << false << false << true << 0 << one << "No QRT-216/224/232(X) Found";
        QTest::newRow("UseCardNameB") << true << true << true << 1 << one << "QRT-216/224/232 Series Settings Program";
        QTest::newRow("UseCardNameB, none") << true << true << true << 0 << one
                                            << "No QRT-216/224/232 Series Card Found";
        QTest::newRow("OnGetCardString unassigned") << true << false << false << 0 << one
                                                    << "QRT-216/224/232(X) Series Settings Program";
    }

    void shouldWriteTheHeader()
    {
        QFETCH(bool, series);
        QFETCH(bool, useB);
        QFETCH(bool, cardString);
        QFETCH(int, count);
        QFETCH(QStringList, texts);
        QFETCH(QString, header);
        Fixture f(QStringLiteral("&File"), cardString);
        f.supporter->setBSeries(series);
        f.supporter->setUseCardNameB(useB);
        f.cardTexts = texts;
        FakeDriver::reset(count);

        f.supporter->BuildWindows();

        TLabel *label = f.supporter->HeaderLabel();
        QCOMPARE(label->caption(), header);
        QVERIFY(boxes.isEmpty());
        if (!cardString) {
            QVERIFY(!f.supporter->PCIForm());
            QCOMPARE(f.file->count(), 1);
            QCOMPARE(FakeDriver::loads, 0);
            QCOMPARE(FakeDriver::countCalls, 0);
        }
        // The header spans the top of the main window's client area.
        QCOMPARE(label->name(), QStringLiteral("HeaderLabel"));
        QCOMPARE(label->parentWidget(), f.main->client());
        QCOMPARE(Align(label), Vcl::alTop);
        QCOMPARE(label->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(label->width(), f.main->clientWidth());
        QCOMPARE(label->alignmentValue(), Vcl::taCenter);
        QCOMPARE(label->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(label->font().pointSize(), 18);
        QVERIFY(label->font().bold());
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(label->height() >= QFontMetrics(label->font()).height());
        QVERIFY(!label->isHidden());
    }

    void shouldRenderTheProductsInstructions()
    {
        Fixture f;
        f.supporter->BuildWindows();
        QTextDocument *doc = f.instructions();

        const QStringList texts = blocks(doc);
        QCOMPARE(texts.value(0), QStringLiteral("Velmar QRT-216/224/232(X) Series Settings Program"));
        // Paragraphs separated by blank lines.
        QCOMPARE(texts.size(), 15);
        for (int i = 1; i < texts.size(); i += 2)
            QVERIFY2(texts[i].isEmpty(), qPrintable(texts[i]));
        QVERIFY(texts[2].startsWith(QStringLiteral("This program will help you configure")));
        QVERIFY(texts[8].contains(QStringLiteral("once the card is installed. Repeat the setup circles")));
        QVERIFY(texts[10].endsWith(QStringLiteral("at the same time as you desire.")));

        const QTextCharFormat title = formatOf(doc, QStringLiteral("Velmar"));
        QCOMPARE(title.fontPointSize(), 16.0);
        QCOMPARE(title.fontWeight(), int(QFont::Bold));
        QCOMPARE(title.font().family(), QStringLiteral("Verdana"));
        QCOMPARE(title.foreground().color(), DarkGrey);
        const QTextCharFormat body = formatOf(doc, QStringLiteral("This program"));
        QCOMPARE(body.fontPointSize(), 12.0);
        QVERIFY(body.fontWeight() != int(QFont::Bold));
        QCOMPARE(body.foreground().color(), DarkGrey);
        QCOMPARE(body.font().family(), QStringLiteral("Verdana"));

        struct Word { const char *text; QColor colour; bool bold; };
        const Word words[] = {
            {"Yellow circles", Yellow, true},     {"Blue circles", Blue, true},
            {"Red circles", Red, true},           {"setup circles", Yellow, false},
            {"calibration circles", Red, false},  {"setup}", Yellow, false},
            {"features", Blue, false},            {"calibration}", Red, false},
        };
        for (const Word &w : words) {
            QString text = QString::fromLatin1(w.text);
            text.remove(QLatin1Char('}'));
            // "setup", "features" and "calibration" alone: in the mouse-over paragraph.
            const QTextCursor at = doc->find(QStringLiteral("popups for "));
            const bool single = !text.contains(QLatin1Char(' '));
            QTextCursor found = single ? doc->find(text, at) : doc->find(text);
            QVERIFY2(!found.isNull(), w.text);
            QTextCursor first(doc);
            first.setPosition(found.selectionStart() + 1);
            QTextCursor last(doc);
            last.setPosition(found.selectionEnd());
            for (const QTextCharFormat &fmt : {first.charFormat(), last.charFormat()}) {
                QVERIFY2(fmt.foreground().color() == w.colour, w.text);
                QVERIFY2((fmt.fontWeight() == int(QFont::Bold)) == w.bold, w.text);
                QVERIFY2(fmt.fontPointSize() == 12.0, w.text);
            }
        }
        // The group's colour ends with it.
        QCOMPARE(formatOf(doc, QStringLiteral(" provide information on configuring")).foreground().color(), DarkGrey);

        QVERIFY(texts[12].startsWith(QStringLiteral("Note: Make sure to set the jumpers for each option group \u2014 the "
                                                    "configuration options for each port are handled identically; this")));
        const QTextCharFormat note = formatOf(doc, QStringLiteral("Note:"));
        QCOMPARE(note.fontPointSize(), 16.0);
        QCOMPARE(note.fontWeight(), int(QFont::Bold));
        QCOMPARE(formatOf(doc, QStringLiteral(" Make sure")).fontPointSize(), 12.0);
        QCOMPARE(texts[14], QStringLiteral("To see a list of QRT-216/224/232(X) cards installed, click \"Display "
                                           "QRT-216/224/232(X) Cards Installed\" under the File menu."));
    }

    void shouldAssembleTheProductsDocumentUnchanged()
    {
        Fixture f;
        const QString rtf = f.supporter->InstructionsRtf();
        QVERIFY(rtf.startsWith(QStringLiteral(
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Verdana;}}"
            "{\\colortbl\\red64\\green64\\blue64;\\red255\\green255\\blue64;\\red64\\green64\\blue255;"
            "\\red255\\green64\\blue64;}\\viewkind4\\uc1\\pard\\f0\\cf0\r\n"
            "\\fs32 {\\b Velmar QRT-216/224/232(X) Series Settings Program}\\fs24\r\n\\par\\par This program")));
        QVERIFY(rtf.contains(QStringLiteral("option group \\emdash  the configuration")));
        QVERIFY(rtf.endsWith(QStringLiteral(
            "\r\n\\par\\par To see a list of QRT-216/224/232(X) cards installed, click \"Display QRT-216/224/232(X) "
            "Cards Installed\" under the File menu.}")));
    }

    void shouldAddTheOptionalPieces_data()
    {
        QTest::addColumn<bool>("multiPort");
        QTest::addColumn<bool>("cardString");
        QTest::newRow("both") << true << true;
        QTest::newRow("MultiPort only") << true << false;
        QTest::newRow("OnGetCardString only") << false << true;
        QTest::newRow("neither") << false << false;
    }

    void shouldAddTheOptionalPieces()
    {
        QFETCH(bool, multiPort);
        QFETCH(bool, cardString);
        Fixture f(QStringLiteral("&File"), cardString);
        f.supporter->setMultiPort(multiPort);
        f.supporter->BuildWindows();
        QTextDocument *doc = f.instructions();
        QCOMPARE(!doc->find(QStringLiteral("Note: Make sure")).isNull(), multiPort);
        QCOMPARE(doc->toPlainText().contains(QChar(0x2014)), multiPort);
        QCOMPARE(!doc->find(QStringLiteral("To see a list of")).isNull(), cardString);
        QCOMPARE(blocks(doc).size(), 11 + (multiPort ? 2 : 0) + (cardString ? 2 : 0));
        QVERIFY(blocks(doc).constLast().endsWith(QLatin1Char('.')));
    }

    void shouldEscapeTheNamesPastedIntoTheDocument_data()
    {
        QTest::addColumn<QString>("company");
        QTest::addColumn<QString>("card");
        QTest::newRow("backslash") << "Back\\slash" << "C:\\cards";
        QTest::newRow("control words") << "\\par\\fs80\\b0 Big" << "\\cf3 red";
        QTest::newRow("closing brace") << "Co}" << "Card}}";
        QTest::newRow("opening brace") << "{Co" << "{\\b Card";
        QTest::newRow("destination") << "{\\*\\hidden gone}" << "{\\fonttbl{\\f0 Courier;}}";
        QTest::newRow("code page 1252") << QString::fromUtf8("Mølle & Søn \u20ac") << QString::fromUtf8("Kärt\u2122");
        QTest::newRow("beyond code page 1252") << QString::fromUtf8("\u6F22\u5B57 \u0416") << QString::fromUtf8("\u2713 \U0001F600");
    }

    void shouldEscapeTheNamesPastedIntoTheDocument()
    {
        QFETCH(QString, company);
        QFETCH(QString, card);
        Fixture f;
        f.supporter->setCompanyName(company);
        f.supporter->setCardNameA(card);
        f.supporter->BuildWindows();
        QTextDocument *doc = f.instructions();

        const QStringList texts = blocks(doc);
        QCOMPARE(texts.value(0), company + QLatin1Char(' ') + card + QStringLiteral(" Series Settings Program"));
        QCOMPARE(texts.size(), 15);
        QCOMPARE(texts.value(14), QStringLiteral("To see a list of ") + card + QStringLiteral(" cards installed, click \"Display ")
                                      + card + QStringLiteral(" Cards Installed\" under the File menu."));
        // The names changed no format around them.
        const QTextCharFormat title = formatOf(doc, QStringLiteral(" Series Settings Program"));
        QCOMPARE(title.fontPointSize(), 16.0);
        QCOMPARE(title.fontWeight(), int(QFont::Bold));
        QCOMPARE(title.foreground().color(), DarkGrey);
        const QTextCharFormat body = formatOf(doc, QStringLiteral("This program"));
        QCOMPARE(body.fontPointSize(), 12.0);
        QVERIFY(body.fontWeight() != int(QFont::Bold));
        QCOMPARE(formatOf(doc, QStringLiteral(" cards installed, click")).foreground().color(), DarkGrey);
        QCOMPARE(body.font().family(), QStringLiteral("Verdana"));
    }

    void shouldShowTheInstructionsAgainWithTheSameText()
    {
        Fixture f;
        f.howTo->setOnClick([&f](QObject *) { f.supporter->HelpForm()->showForm(); });
        f.supporter->BuildWindows();
        f.supporter->CalibTick(); // the first tick shows it
        THelpForm *help = f.supporter->HelpForm();
        QVERIFY(help->isVisible());
        const QString text = help->HelpRich()->toPlainText();
        help->StartButton()->click();
        QVERIFY(!help->isVisible());

        f.howTo->action()->trigger();

        QVERIFY(help->isVisible());
        QCOMPARE(help->HelpRich()->toPlainText(), text);
        QVERIFY(text.startsWith(QStringLiteral("Velmar QRT-216/224/232(X) Series Settings Program")));
    }

    void shouldScaleTheInstructionsToTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("clientWidth");
        // The default offscreen screen; the others run as their own test entries, each on a
        // screen of that size.
        QTest::newRow("800x800") << QSize(800, 800) << 305;
        QTest::newRow("800x600") << QSize(800, 600) << 305;
        QTest::newRow("1024x768") << QSize(1024, 768) << 390;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << 732;
    }

    void shouldScaleTheInstructionsToTheScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(int, clientWidth);
        if (Application::instance()->screenSize() != screen)
            QSKIP("needs a screen of that size; runs as its own test entry");
        Fixture f;
        f.supporter->BuildWindows();
        QCOMPARE(f.supporter->HelpForm()->clientWidth(), clientWidth);
    }

    void shouldWriteTheSupportText()
    {
        Fixture f;
        f.supporter->BuildWindows();
        TTechForm *tech = f.supporter->TechForm();
        QCOMPARE(tech->TechMemo()->lines(),
                 (QStringList{
                     QStringLiteral("There are several ways to get technical support. First and fastest is to skim the "
                                    "relevant sections of the manual. However, some questions require personal "
                                    "assistance, and Velmar stands ready to provide that help. You can call us ")
                         + CallHow + QStringLiteral(" for any of your product questions."),
                     QString(),
                     QStringLiteral("In order to provide the best and fastest support possible, we ask that you be at "
                                    "your computer when you call, and have the Velmar product manual and Software "
                                    "Suite CD at hand.")}));
        QVERIFY(!tech->isVisible());
        QCOMPARE(tech->CloseButton()->geometry(), QRect(116, 97, 73, 25));
    }

    void shouldHideEitherWindowByCloseOrEscape_data()
    {
        QTest::addColumn<bool>("cards");
        QTest::addColumn<bool>("escape");
        QTest::newRow("support, Close") << false << false;
        QTest::newRow("support, Escape") << false << true;
        QTest::newRow("cards, Close") << true << false;
        QTest::newRow("cards, Escape") << true << true;
    }

    void shouldHideEitherWindowByCloseOrEscape()
    {
        QFETCH(bool, cards);
        QFETCH(bool, escape);
        Fixture f;
        f.supporter->BuildWindows();
        TForm *window = cards ? static_cast<TForm *>(f.supporter->PCIForm()) : f.supporter->TechForm();
        QWidget *memo = cards ? f.supporter->PCIForm()->PCIMemo() : f.supporter->TechForm()->TechMemo();
        TButton *close = cards ? f.supporter->PCIForm()->CloseButton() : f.supporter->TechForm()->CloseButton();
        window->showForm();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        if (escape) {
            memo->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), memo);
            QTest::keyClick(memo, Qt::Key_Escape);
        } else {
            close->click();
        }
        QTRY_VERIFY(!window->isVisible());
        // Only the window of the button: the other one stays up.
        QVERIFY(cards ? !f.supporter->TechForm()->isVisible() : f.supporter->PCIForm()->isVisible());
    }

    void shouldInsertDisplayPCIOnlyIntoTheFileMenu_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("inserted");
        QTest::newRow("&File") << "&File" << true;
        QTest::newRow("File without ampersand") << "File" << false;
        QTest::newRow("&file in lower case") << "&file" << false;
    }

    void shouldInsertDisplayPCIOnlyIntoTheFileMenu()
    {
        QFETCH(QString, caption);
        QFETCH(bool, inserted);
        Fixture f(caption);
        f.supporter->BuildWindows();
        QCOMPARE(f.file->count(), inserted ? 2 : 1);
        QCOMPARE(f.help->count(), 1);
        if (inserted) {
            TMenuItem *display = f.file->item(0);
            QCOMPARE(display->name(), QStringLiteral("DisplayPCI"));
            QCOMPARE(display->caption(), QStringLiteral("Display QRT-216/224/232(X) Cards Installed"));
            QCOMPARE(display->owner(), static_cast<Component *>(f.file));
            QCOMPARE(f.file->item(1), f.exit);
        }
        // The cards window is made, filled and shown all the same.
        TPCIForm *cards = f.supporter->PCIForm();
        QVERIFY(cards);
        QVERIFY(cards->isVisible());
        QCOMPARE(cards->caption(), QStringLiteral("QRT-216/224/232(X) Cards installed"));
        QCOMPARE(cards->PCIMemo()->lines(), (QStringList{QStringLiteral("QRT-216"), QStringLiteral("Base Address: 0300")}));
        QCOMPARE(cards->CloseButton()->geometry(), QRect(115, 97, 73, 25));
    }

    void shouldBuildTheCardsWindowWithoutAMainMenu()
    {
        Fixture f;
        f.main->setMenu(nullptr);
        f.supporter->BuildWindows();
        QVERIFY(f.supporter->PCIForm()->isVisible());
        QCOMPARE(f.file->count(), 1);
    }

    void shouldShowTheCardsAgainWithoutAskingTheDriverAgain()
    {
        Fixture f;
        f.supporter->BuildWindows();
        TPCIForm *cards = f.supporter->PCIForm();
        const QString listed = cards->PCIMemo()->text();
        cards->CloseButton()->click();
        QVERIFY(!cards->isVisible());

        f.file->item(0)->action()->trigger();

        QVERIFY(cards->isVisible());
        QCOMPARE(cards->PCIMemo()->text(), listed);
        QCOMPARE(FakeDriver::loads, 1);
        QCOMPARE(FakeDriver::countCalls, 1);
        QCOMPARE(f.cardStringCalls, 1);
    }

    void shouldListTheBoardTexts_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("exported");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("calls");
        QTest::newRow("two boards, no empty line between")
            << 2 << true << QStringList{"QRT-224\r\nBase Address: E000", "QRT-232\r\nBase Address: D000"}
            << QStringList{"QRT-224", "Base Address: E000", "QRT-232", "Base Address: D000"} << 2;
        QTest::newRow("an empty text is left out")
            << 3 << true << QStringList{"", "QRT-232\r\nBase Address: 0300", ""}
            << QStringList{"QRT-232", "Base Address: 0300"} << 3;
        QTest::newRow("no board") << 0 << true << QStringList{"unused"} << QStringList{"No Card Found"} << 0;
        QTest::newRow("negative count") << -3 << true << QStringList{"unused"} << QStringList{"No Card Found"} << 0;
        QTest::newRow("library without GetNumCards")
            << 2 << false << QStringList{"unused"} << QStringList{"No Card Found"} << 0;
    }

    void shouldListTheBoardTexts()
    {
        QFETCH(int, count);
        QFETCH(bool, exported);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, lines);
        QFETCH(int, calls);
        Fixture f;
        f.cardTexts = texts;
        FakeDriver::reset(count);
        FakeDriver::exportsGetNumCards = exported;
        f.supporter->BuildWindows();
        QCOMPARE(f.supporter->PCIForm()->PCIMemo()->lines(), lines);
        QCOMPARE(f.cardStringCalls, calls);
        QCOMPARE(FakeDriver::loads, 1);
    }

    void shouldEndTheBuildWhereAnExceptionArises()
    {
        Fixture f;
        f.supporter->setOnGetCardString([](QObject *, int) -> QString { throw std::runtime_error("board query failed"); });
        bool done = true;
        f.supporter->FirstIdle(Application::instance(), done);

        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, QStringLiteral("board query failed"));
        QCOMPARE(boxes[0].style, ErrorBoxStyle);
        QVERIFY(done);
        // What was built stays; the header's text and the timer never came.
        QVERIFY(f.supporter->HelpForm());
        QVERIFY(f.supporter->TechForm());
        QVERIFY(f.supporter->PCIForm()->isVisible());
        QVERIFY(f.supporter->HeaderLabel()->caption().isEmpty());
        QVERIFY(!f.supporter->HelpPending());
        QVERIFY(!timerRuns(f.supporter));
        // The build does not run again.
        const int built = f.main->componentCount();
        QCOMPARE(built, 6); // menu, supporter, header and the three windows
        f.supporter->BuildWindows();
        QCOMPARE(f.main->componentCount(), built);
        QCOMPARE(boxes.size(), 1);
    }

    void shouldReportARefusedTimerAndLeaveTheInstructionsHidden()
    {
        Fixture f;
        // Qt refuses timers to an object of another thread.
        QThread other;
        f.supporter->TimerWindow()->moveToThread(&other);
        bool done = true;
        f.supporter->FirstIdle(Application::instance(), done);

        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, QStringLiteral("Not enough timers available"));
        QCOMPARE(f.supporter->HeaderLabel()->caption(), QStringLiteral("QRT-216/224/232(X) Series Settings Program"));
        QVERIFY(f.supporter->HelpPending());
        QVERIFY(!f.supporter->TimerWindow()->isTimerActive(1));
        QVERIFY(!f.supporter->HelpForm()->isVisible());
    }

    // --- the timer and the calibration cycle ---

    void shouldShowHelpFirstThenCalibrateWhenBothArePending()
    {
        Fixture f;
        int begun = 0;
        f.supporter->setOnBeginCalib([&](QObject *) { ++begun; });
        f.supporter->setOnGetCalibString([](QObject *, quint8, bool &bad) {
            bad = false;
            return QStringLiteral("OK");
        });
        f.supporter->StartCalib();
        f.supporter->BuildWindows(); // no tick can come in between
        QVERIFY(f.supporter->HelpPending());

        f.supporter->CalibTick();

        QVERIFY(f.supporter->HelpForm()->isVisible());
        QCOMPARE(begun, 0);
        QVERIFY(!f.supporter->HelpPending());
        QVERIFY(timerRuns(f.supporter));
        QTRY_VERIFY(begun >= 2); // calibration ticks follow
        QVERIFY(f.supporter->Calibrating());
        QVERIFY(boxes.isEmpty());
    }

    void shouldWriteEveryChannelIntoEveryPopup()
    {
        TSetupSupporter supporter;
        TComboBox first, second;
        first.setItems(QStringList(8, QString()));
        second.setItems(QStringList(8, QStringLiteral("old")));
        second.setCurrentIndex(2);
        TButton button1, button2;
        QWidget hidden1, hidden2;
        hidden1.show();
        hidden2.show();
        supporter.AddCalibPopup(&first, &button1, &hidden1);
        supporter.AddCalibPopup(&second, &button2, &hidden2);
        QList<bool> flagSeen;
        supporter.setOnGetCalibString([&](QObject *sender, quint8 channel, bool &bad) {
            flagSeen.append(bad);
            if (sender != &supporter)
                throw std::logic_error("wrong sender");
            if (channel == 5)
                bad = false;
            return QStringLiteral("reading %1").arg(channel * 10);
        });
        supporter.StartCalib();

        supporter.CalibTick();

        QVERIFY(boxes.isEmpty());
        QVERIFY(supporter.Calibrating());
        QVERIFY(timerRuns(&supporter));
        QStringList expected;
        for (int c = 0; c < 8; ++c)
            expected.append(QStringLiteral("Channel %1\treading %2").arg(c).arg(c * 10));
        QCOMPARE(first.items(), expected);
        QCOMPARE(second.items(), expected);
        QCOMPARE(second.currentIndex(), 2);
        // One flag for the whole tick: set before channel 0, cleared by channel 5 for the rest.
        QCOMPARE(flagSeen, (QList<bool>{true, true, true, true, true, true, false, false}));
        QVERIFY(hidden1.isHidden());
        QVERIFY(hidden2.isHidden());
    }

    void shouldGrowAChannelListShorterThanTheChannels()
    {
        TSetupSupporter supporter;
        supporter.setChannels(4);
        TComboBox box;
        box.setItems({QStringLiteral("a")});
        TButton button;
        QWidget hidden;
        supporter.AddCalibPopup(&box, &button, &hidden);
        supporter.setOnGetCalibString([](QObject *, quint8, bool &bad) {
            bad = false;
            return QStringLiteral("ok");
        });
        supporter.SetCalibrating(true);
        supporter.CalibTick();
        QCOMPARE(box.items(), (QStringList{"Channel 0\tok", "Channel 1\tok", "Channel 2\tok", "Channel 3\tok"}));
        supporter.ShowChannel(6, QStringLiteral("late"));
        QCOMPARE(box.count(), 7);
        QCOMPARE(box.itemText(6), QStringLiteral("Channel 6\tlate"));
    }

    void shouldPassOverFreedPopupControls()
    {
        TSetupSupporter supporter;
        auto *box = new TComboBox;
        auto *button = new TButton;
        auto *hidden = new QWidget;
        supporter.AddCalibPopup(box, button, hidden);
        delete box;
        delete button;
        delete hidden;
        supporter.setOnGetCalibString([](QObject *, quint8, bool &) { return QStringLiteral("bad"); });
        supporter.StartCalib();
        supporter.CalibTick(); // all bad: the box, then StopCalib over the freed button
        QCOMPARE(boxes.size(), 1);
        QVERIFY(!supporter.Calibrating());
    }

    void shouldAskAfterATickWithoutAGoodChannel_data()
    {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("changeButtons");
        QTest::newRow("Retry") << 8 << int(MessageBoxResult::Retry) << true;
        QTest::newRow("Cancel") << 8 << int(MessageBoxResult::Cancel) << true;
        QTest::newRow("closed otherwise") << 8 << int(MessageBoxResult::Ok) << true;
        QTest::newRow("Cancel, ChangeButtons false") << 8 << int(MessageBoxResult::Cancel) << false;
        QTest::newRow("Channels 0, Cancel") << 0 << int(MessageBoxResult::Cancel) << true;
        QTest::newRow("Channels 0, Retry") << 0 << int(MessageBoxResult::Retry) << true;
    }

    void shouldAskAfterATickWithoutAGoodChannel()
    {
        QFETCH(int, channels);
        QFETCH(int, answer);
        QFETCH(bool, changeButtons);
        this->answer = answer;
        TSetupSupporter supporter;
        supporter.setChannels(quint8(channels));
        supporter.setChangeButtons(changeButtons);
        int started = 0;
        supporter.setOnStartButtonClick([&](QObject *) { ++started; });
        TComboBox box;
        box.setItems(QStringList(8, QString()));
        TButton button;
        QWidget hidden;
        supporter.AddCalibPopup(&box, &button, &hidden);
        int reads = 0;
        bool timerOffAtBox = false;
        supporter.setOnGetCalibString([&](QObject *, quint8, bool &) {
            ++reads;
            return QStringLiteral("no reading");
        });
        Application::instance()->setMessageBoxFunction([&](const QString &text, const QString &caption, unsigned style) {
            boxes.append({text, caption, style});
            timerOffAtBox = !timerRuns(&supporter) && !supporter.Calibrating();
            return answer;
        });
        supporter.StartCalib();
        QCOMPARE(button.text(), changeButtons ? QStringLiteral("Stop") : QString());

        supporter.CalibTick();

        QCOMPARE(reads, channels);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, QStringLiteral("Total A/D failure. The card may not be installed, or it may be "
                                               "installed at a different base address."));
        QCOMPARE(boxes[0].caption, QStringLiteral("Total A/D failure"));
        QCOMPARE(boxes[0].style, FailureStyle);
        QVERIFY(timerOffAtBox);
        const bool retry = answer == MessageBoxResult::Retry;
        QCOMPARE(supporter.Calibrating(), retry);
        QCOMPARE(timerRuns(&supporter), retry);
        if (retry) {
            QCOMPARE(button.text(), QStringLiteral("Stop"));
            QTRY_VERIFY(boxes.size() >= 2); // the next tick comes by itself
        } else if (changeButtons) {
            QCOMPARE(button.text(), QStringLiteral("Start"));
            button.click();
            QCOMPARE(started, 1);
        } else {
            QCOMPARE(button.text(), QString());
            button.click();
            QCOMPARE(started, 0);
        }
    }

    void shouldStopWithAnErrorWithoutOnGetCalibString()
    {
        TSetupSupporter supporter;
        TComboBox box;
        TButton button;
        QWidget hidden;
        hidden.show();
        supporter.AddCalibPopup(&box, &button, &hidden);
        int begun = 0;
        supporter.setOnBeginCalib([&](QObject *) { ++begun; });
        supporter.StartCalib();

        supporter.CalibTick();

        QCOMPARE(begun, 1);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, QStringLiteral("Error: calibration begun, but OnGetCalibString isn't assigned."));
        QCOMPARE(boxes[0].caption, QStringLiteral("OnGetCalibString Not Assigned"));
        QCOMPARE(boxes[0].style, NotAssignedStyle);
        QVERIFY(!supporter.Calibrating());
        QVERIFY(!timerRuns(&supporter));
        QCOMPARE(button.text(), QStringLiteral("Start"));
        QVERIFY(!hidden.isHidden()); // the tick ended before hiding anything
    }

    void shouldStopFromTheStopButton()
    {
        TSetupSupporter supporter;
        TComboBox box;
        TButton button;
        QWidget hidden;
        supporter.AddCalibPopup(&box, &button, &hidden);
        supporter.StartCalib();
        QVERIFY(timerRuns(&supporter));
        button.click();
        QVERIFY(!supporter.Calibrating());
        QVERIFY(!timerRuns(&supporter));
        QCOMPARE(button.text(), QStringLiteral("Start"));
    }

    void shouldRunTheTimerOnlyWhileThereIsWork()
    {
        TSetupSupporter supporter;
        supporter.setOnBeginCalib([](QObject *) {});
        QVERIFY(!timerRuns(&supporter)); // assigned while idle
        supporter.SetCalibrating(true);
        QVERIFY(timerRuns(&supporter));
        supporter.setOnBeginCalib({}); // assigned while calibrating: started anew
        const auto timers = QAbstractEventDispatcher::instance()->registeredTimers(supporter.TimerWindow());
        QCOMPARE(timers.size(), 1);
        QCOMPARE(timers.first().interval, 100);
        supporter.SetCalibrating(false);
        QVERIFY(!timerRuns(&supporter));
    }

    void shouldShowAnExceptionOfATickAndTickOn()
    {
        TSetupSupporter supporter;
        int reads = 0;
        supporter.setOnGetCalibString([&](QObject *, quint8, bool &bad) -> QString {
            if (++reads == 1)
                throw std::runtime_error("channel read failed");
            bad = false;
            return QString();
        });
        supporter.setChannels(1);
        supporter.StartCalib();
        QTRY_VERIFY(reads >= 3);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, QStringLiteral("channel read failed"));
        QVERIFY(supporter.Calibrating());
        QVERIFY(timerRuns(&supporter));
    }

    void shouldEndTheTimerWithTheSupporter()
    {
        auto supporter = std::make_unique<TSetupSupporter>();
        supporter->StartCalib();
        QPointer<MessageWindow> window = supporter->TimerWindow();
        QVERIFY(timerRuns(supporter.get()));
        supporter.reset();
        QVERIFY(!window);
    }
};

QTEST_MAIN(TestTSetupSupporter)
#include "tst_TSetupSupporter.moc"
