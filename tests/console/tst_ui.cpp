// Shared widget helpers: colours, number texts, change-only setters.

#include "ui/format.h"
#include "ui/palette.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace zelmar;

class TestUi : public QObject {
    Q_OBJECT

private slots:
    void paletteColours();
    void backColorOnlyWhenItChanges();
    void groupedNumbers();
    void fixedDecimals();
    void wholeNumbers();
    void hex();
    void textOnlyWhenItChanges();
};

// What the windows' meaning rests on: every index names its own colour, the states a field shows
// (idle, success, failure, pending, marked) are told apart at a glance, and any index wraps.
void TestUi::paletteColours() {
    QSet<QRgb> alle;
    for (int i = 0; i < 16; ++i) {
        alle.insert(qbColor(i).rgb());
        QCOMPARE(qbColor(i + 16), qbColor(i));
        QCOMPARE(qbColor(i - 16), qbColor(i));
        QCOMPARE(qbColor(i).alpha(), 255);
    }
    QCOMPARE(alle.size(), 16);

    const QColor grau = qbColor(QB_HELLGRAU), gruen = qbColor(QB_HELLGRUEN),
                 rot = qbColor(QB_HELLROT), gelb = qbColor(QB_HELLGELB),
                 cyan = qbColor(QB_HELLCYAN);
    // Success is green and failure red by their dominant channel; idle grey has none.
    QVERIFY(gruen.green() > gruen.red() && gruen.green() > gruen.blue());
    QVERIFY(rot.red() > rot.green() && rot.red() > rot.blue());
    QVERIFY(grau.red() == grau.green() && grau.green() == grau.blue());
    QVERIFY(gelb.red() > gelb.blue() && gelb.green() > gelb.blue());
    QVERIFY(cyan.green() > cyan.red() && cyan.blue() > cyan.red());
    // Light shades: black text stays readable on every state colour.
    for (const QColor& c : {grau, gruen, rot, gelb, cyan})
        QVERIFY2(c.lightness() >= 96, qPrintable(c.name()));
}

void TestUi::backColorOnlyWhenItChanges() {
    QLineEdit box;
    QPushButton button;
    setBackColor(&box, 12);
    setBackColor(&button, 10);
    QCOMPARE(backColor(&box), qbColor(12));
    QCOMPARE(box.palette().color(QPalette::Base), qbColor(12));
    QCOMPARE(backColor(&button), qbColor(10));
    QVERIFY(button.autoFillBackground());

    int changes = 0;
    struct Counter : QObject {
        int& n;
        explicit Counter(int& c) : n(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::PaletteChange)
                ++n;
            return false;
        }
    } counter(changes);
    box.installEventFilter(&counter);
    setBackColor(&box, 12);
    QCOMPARE(changes, 0);
    setBackColor(&box, 14);
    QCOMPARE(changes, 1);
    QCOMPARE(backColor(&box), qbColor(14));
}

void TestUi::groupedNumbers() {
    const QLocale de(QLocale::German);
    QCOMPARE(formatGrouped(16000, de), QStringLiteral("16.000"));
    QCOMPARE(formatGrouped(16000000, de), QStringLiteral("16.000.000"));
    QCOMPARE(formatGrouped(10101.01, de), QStringLiteral("10.101"));
    QCOMPARE(formatGrouped(489.96, de), QStringLiteral("490"));
    QCOMPARE(formatGrouped(999.5, de), QStringLiteral("1.000"));
    QCOMPARE(formatGrouped(0, de), QStringLiteral("0"));
    QCOMPARE(formatGrouped(-1234, de), QStringLiteral("-1.234"));
    // The C locale leaves grouping off unless asked; the pattern asks for it.
    QCOMPARE(formatGrouped(1100, QLocale::c()), QStringLiteral("1,100"));
    QCOMPARE(formatGrouped(4294967.295, de), QStringLiteral("4.294.967"));
}

void TestUi::fixedDecimals() {
    QCOMPARE(formatFixed(12.3, 1, QLocale(QLocale::German)), QStringLiteral("12,3"));
    QCOMPARE(formatFixed(0, 1, QLocale(QLocale::German)), QStringLiteral("0,0"));
    QCOMPARE(formatFixed(25.5, 1, QLocale::c()), QStringLiteral("25.5"));
    QCOMPARE(formatFixed(1234.5, 1, QLocale(QLocale::German)), QStringLiteral("1234,5"));
}

void TestUi::wholeNumbers() {
    int v = -1;
    QVERIFY(parseWholeNumber(" 65000 ", &v));
    QCOMPARE(v, 65000);
    QVERIFY(parseWholeNumber("+7", &v));
    QCOMPARE(v, 7);
    QVERIFY(parseWholeNumber("-3", &v));
    QCOMPARE(v, -3);
    for (const char* bad : {"", " ", "+", "1.5", "1e3", "12a", "0x10", "99999999999"})
        QVERIFY2(!parseWholeNumber(QString::fromLatin1(bad), &v), bad);
}

void TestUi::hex() {
    QCOMPARE(hexText(10), QStringLiteral("0A"));
    QCOMPARE(hexText(255, 4), QStringLiteral("00FF"));
    QCOMPARE(hexText(0xABC, 2), QStringLiteral("ABC"));
}

void TestUi::textOnlyWhenItChanges() {
    QLineEdit box;
    box.setText("a");
    QSignalSpy spy(&box, &QLineEdit::textChanged);
    setTextIfChanged(&box, "a");
    QCOMPARE(spy.count(), 0);
    setTextIfChanged(&box, "b");
    QCOMPARE(spy.count(), 1);
}

QTEST_MAIN(TestUi)
#include "tst_ui.moc"
