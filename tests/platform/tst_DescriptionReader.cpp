#include "ComponentRegistry.h"
#include "Control.h"
#include "DescriptionReader.h"
#include "TButton.h"
#include "TComboBox.h"
#include "TForm.h"
#include "TLabel.h"
#include "TMainMenu.h"
#include "TMenuItem.h"

#include <QTest>

// A component with one property of each kind a description can set.
class TGadget : public QWidget, public Component
{
    Q_OBJECT
    Q_PROPERTY(Vcl::TAlignment Alignment MEMBER m_alignment)
    Q_PROPERTY(Vcl::TAnchors Final MEMBER m_final)
    Q_PROPERTY(TLabel *Buddy MEMBER m_buddy)
    Q_PROPERTY(QStringList Lines MEMBER m_lines)
    Q_PROPERTY(TColor Color MEMBER m_color)
    Q_PROPERTY(quint8 Channels MEMBER m_channels)
    Q_PROPERTY(NotifyEvent OnPoke READ onPoke WRITE setOnPoke)
    Q_PROPERTY(PCIEvent OnCard READ onCard WRITE setOnCard)
    Q_PROPERTY(QStringList Order MEMBER m_order)
    Q_PROPERTY(int First READ first WRITE setFirst)
    Q_PROPERTY(int Second READ second WRITE setSecond)
public:
    TGadget() : Component(this) {}
    NotifyEvent onPoke() const { return m_onPoke; }
    void setOnPoke(NotifyEvent e) { m_onPoke = e; }
    PCIEvent onCard() const { return m_onCard; }
    void setOnCard(PCIEvent e) { m_onCard = e; }
    int first() const { return m_first; }
    void setFirst(int v) { m_first = v; m_order << QStringLiteral("First"); m_loadingSeen = isLoading(); }
    int second() const { return m_second; }
    void setSecond(int v) { m_second = v; m_order << QStringLiteral("Second"); }
    void loaded() override { m_order << QStringLiteral("loaded"); }

    Vcl::TAlignment m_alignment = Vcl::taLeftJustify;
    Vcl::TAnchors m_final = Vcl::akLeft;
    TLabel *m_buddy = nullptr;
    QStringList m_lines;
    TColor m_color = 0;
    quint8 m_channels = 8;
    NotifyEvent m_onPoke;
    PCIEvent m_onCard;
    QStringList m_order;
    int m_first = 0, m_second = 0;
    bool m_loadingSeen = false;
};

class TTestForm : public TForm
{
    Q_OBJECT
public:
    TTestForm() : TForm(nullptr) {}
    Q_INVOKABLE void Poke(QObject *sender) { pokedBy = sender; }
    Q_INVOKABLE QString Card(QObject *, int index) { return QStringLiteral("card %1").arg(index); }
    Q_INVOKABLE void Created(QObject *) { createdWith = findChildren<TGadget *>().size(); }
    QObject *pokedBy = nullptr;
    int createdWith = -1;
};

namespace {
QByteArray files(const QString &name, bool *ok)
{
    *ok = name == QLatin1String("here.bin");
    return *ok ? QByteArray("bytes") : QByteArray();
}

// The moc cannot read raw string literals, hence the plain ones.
const char *const goodForm =
    "# a comment\n"
    "object Form1 TTestForm\n"
    "  Caption \"A \\\"quoted\\\" caption\"\n"
    "  Color clWhite\n"
    "  Menu Menu1\n"
    "  OnCreate Created\n"
    "  object Gadget1 TGadget\n"
    "    Left 10\n"
    "    Top -4\n"
    "    Width 0x20\n"
    "    Height 30\n"
    "    First 1\n"
    "    Second 2\n"
    "    Alignment taCenter\n"
    "    Final [akLeft, akBottom]\n"
    "    Buddy Label1\n"
    "    Lines [\"one\", \"two \"\n"
    "           \"continued\"]\n"
    "    Color clBtnFace\n"
    "    Channels 255\n"
    "    OnPoke Poke\n"
    "    OnCard Card\n"
    "    Anchors [akLeft, akTop, akRight]\n"
    "    Font.Name \"Sans\"\n"
    "    Font.Height -11\n"
    "  end\n"
    "  object Label1 TLabel\n"
    "    Caption \"Pull\" \"\\r\\n\" \"Dn / Up\"\n"
    "    Visible false\n"
    "  end\n"
    "  object Menu1 TMainMenu\n"
    "    object File1 TMenuItem\n"
    "      Caption \"&File\"\n"
    "      object Exit1 TMenuItem\n"
    "        Caption \"&Exit\"\n"
    "        OnClick Poke\n"
    "      end\n"
    "    end\n"
    "  end\n"
    "end\n";
}

class TestDescriptionReader : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        RegisterPlatformClasses();
        RegisterComponentClass<TGadget>();
    }

    void shouldBuildTreeWithEveryValue()
    {
        TTestForm form;
        DescriptionReader::load(&form, goodForm, files);
        QCOMPARE(form.name(), QStringLiteral("Form1"));
        QCOMPARE(form.caption(), QStringLiteral("A \"quoted\" caption"));
        QCOMPARE(form.color(), clWhite);
        auto *gadget = qobject_cast<TGadget *>(form.findComponent(QStringLiteral("gadget1"))->object());
        QVERIFY(gadget);
        QCOMPARE(gadget->parentWidget(), form.client());
        QCOMPARE(gadget->geometry(), QRect(10, -4, 32, 30));
        QCOMPARE(gadget->m_alignment, Vcl::taCenter);
        QCOMPARE(gadget->m_final, Vcl::akLeft | Vcl::akBottom);
        QCOMPARE(gadget->m_buddy, form.findChild<TLabel *>(QStringLiteral("Label1")));
        QCOMPARE(gadget->m_lines, (QStringList{QStringLiteral("one"), QStringLiteral("two continued")}));
        QCOMPARE(gadget->m_color, clBtnFace);
        QCOMPARE(gadget->m_channels, quint8(255));
        QCOMPARE(Anchors(gadget), Vcl::akLeft | Vcl::akTop | Vcl::akRight);
        QCOMPARE(DescriptionReader::readProperty(gadget, "Font.Name").toString(), QStringLiteral("Sans"));
        QCOMPARE(DescriptionReader::readProperty(gadget, "Font.Height").toInt(), -11);
        QCOMPARE(DescriptionReader::readProperty(gadget, "Width").toInt(), 32);
        auto *label = form.findChild<TLabel *>(QStringLiteral("Label1"));
        QCOMPARE(label->caption(), QStringLiteral("Pull\nDn / Up"));
        QVERIFY(label->isHidden());
        QVERIFY(!gadget->isHidden());
        QCOMPARE(label->owner(), static_cast<Component *>(&form));
    }

    void shouldSetPropertiesInOrderWhileLoadingThenRunLoadedAndCreate()
    {
        TTestForm form;
        DescriptionReader::load(&form, goodForm, files);
        auto *gadget = form.findChild<TGadget *>();
        QCOMPARE(gadget->m_order, (QStringList{QStringLiteral("First"), QStringLiteral("Second"), QStringLiteral("loaded")}));
        QVERIFY(gadget->m_loadingSeen);
        QVERIFY(!gadget->isLoading());
        QCOMPARE(form.createdWith, 1); // OnCreate after the whole tree exists
    }

    void shouldBindHandlersToTheForm()
    {
        TTestForm form;
        DescriptionReader::load(&form, goodForm, files);
        auto *gadget = form.findChild<TGadget *>();
        gadget->m_onPoke(gadget);
        QCOMPARE(form.pokedBy, gadget);
        QCOMPARE(gadget->m_onCard(gadget, 3), QStringLiteral("card 3"));
        auto *menu = qobject_cast<TMainMenu *>(form.findComponent(QStringLiteral("Menu1"))->object());
        QCOMPARE(form.menu(), menu);
        QCOMPARE(menu->count(), 1);
        QCOMPARE(menu->item(0)->caption(), QStringLiteral("&File"));
        TMenuItem *exit = menu->item(0)->item(0);
        QCOMPARE(exit->caption(), QStringLiteral("&Exit"));
        exit->click();
        QCOMPARE(form.pokedBy, exit);
    }

    void shouldRejectBrokenDescriptions_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("component");
        QTest::addColumn<QString>("message");
        auto form = [](const char *body) {
            return QByteArray("object Form1 TTestForm\n  object Gadget1 TGadget\n") + body + "\n  end\nend\n";
        };
        QTest::newRow("unknown class") << QByteArray("object Form1 TTestForm\n  object X TNoSuchThing\n  end\nend\n")
                                       << 2 << "X" << "unknown class TNoSuchThing";
        QTest::newRow("wrong form class") << QByteArray("object Form1 TOtherForm\nend\n") << 1 << "Form1" << "the form is of class";
        QTest::newRow("unknown property") << form("    Colour 3") << 3 << "Gadget1" << "unknown property Colour of TGadget";
        QTest::newRow("bad enumeration value") << form("    Alignment taMiddle") << 3 << "Gadget1" << "taMiddle is no value of TAlignment";
        QTest::newRow("bad set member") << form("    Final [akLeft, akNowhere]") << 3 << "Gadget1" << "akNowhere is no value";
        QTest::newRow("string for a number") << form("    First \"1\"") << 3 << "Gadget1" << "First takes a number, not a string";
        QTest::newRow("number for a string list") << form("    Lines 4") << 3 << "Gadget1" << "takes a list of strings";
        QTest::newRow("byte out of range") << form("    Channels 256") << 3 << "Gadget1" << "out of range";
        QTest::newRow("unknown colour") << form("    Color clPlaid") << 3 << "Gadget1" << "clPlaid is no colour";
        QTest::newRow("dangling reference") << form("    Buddy Label9") << 3 << "Gadget1" << "names no component: Label9";
        QTest::newRow("reference of wrong class") << form("    Buddy Gadget1") << 3 << "Gadget1" << "must name a TLabel";
        QTest::newRow("unknown handler") << form("    OnPoke Prod") << 3 << "Gadget1" << "Prod is no handler of TTestForm";
        QTest::newRow("handler of wrong shape") << form("    OnCard Poke") << 3 << "Gadget1" << "does not fit OnCard";
        QTest::newRow("duplicate name") << QByteArray("object Form1 TTestForm\n  object A TLabel\n  end\n  object a TLabel\n  end\nend\n")
                                        << 4 << "a" << "exists already";
        QTest::newRow("missing end") << QByteArray("object Form1 TTestForm\n  object A TLabel\n") << 3 << "A" << "missing 'end'";
        QTest::newRow("unterminated string") << form("    Lines [\"open") << 3 << "" << "unterminated string";
        QTest::newRow("picture for a string list") << form("    Lines picture TJPEGImage \"here.bin\"") << 3 << "Gadget1" << "not a picture";
        QTest::newRow("text after the form") << QByteArray("object Form1 TTestForm\nend\nobject B TLabel\nend\n") << 3 << "" << "text after the end";
        QTest::newRow("garbage") << QByteArray("object Form1 TTestForm\n  ~~~\nend\n") << 2 << "" << "unexpected character";
        QTest::newRow("empty") << QByteArray() << 1 << "" << "expected 'object'";
    }

    void shouldRejectBrokenDescriptions()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, line);
        QFETCH(QString, component);
        QFETCH(QString, message);
        TTestForm form;
        try {
            DescriptionReader::load(&form, text, files);
            QFAIL("no error");
        } catch (const DescriptionError &e) {
            QCOMPARE(e.line(), line);
            QCOMPARE(e.component(), component);
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
            QVERIFY(QString::fromUtf8(e.what()).contains(QStringLiteral("line %1").arg(line)));
        }
        // Nothing of the half-read tree is left behind.
        QCOMPARE(form.componentCount(), 0);
        QCOMPARE(form.client()->findChildren<QWidget *>().size(), 0);
    }
};

QTEST_MAIN(TestDescriptionReader)
#include "tst_DescriptionReader.moc"
