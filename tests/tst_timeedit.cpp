#include "Gui/Reelkit/TimeEdit.h"

#include <QLineEdit>
#include <QWheelEvent>
#include <QtTest>

using Tarvos::Gui::TimeEdit;

class tst_TimeEdit : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void formatChoice_data();
    void formatChoice();
    void emptyFormatListKeepsFormat();
    void focusedFieldFitsMaximum();
    void cursorKeepsDistanceFromEnd();
    void steppingNeverWraps_data();
    void steppingNeverWraps();
    void overwriteTyping_data();
    void overwriteTyping();
    void enterReportsAndLeaves();
    void enterAfterFixupDoesNotReport();
    void wheelOnlyWhileFocused();
    void shrinkWidth();
};

namespace {

// A shown window holding a time field and something else to take the focus.
struct Window
{
    Window()
    {
        field = new TimeEdit(&window);
        other = new QLineEdit(&window);
        other->move(0, 60);
        window.resize(300, 120);
        // Keep the field unfocused when the window activates.
        other->setFocus();
    }

    bool Show()
    {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window);
    }

    QLineEdit* Line() const { return field->findChild<QLineEdit*>(); }

    QWidget window;
    TimeEdit* field;
    QLineEdit* other;
};

// Counts the wheel events that reach it.
class WheelCatcher : public QWidget
{
public:
    int wheels = 0;

protected:
    void wheelEvent(QWheelEvent* event) override
    {
        ++wheels;
        event->accept();
    }
};

void SendWheel(QWidget* widget, int delta)
{
    const QPoint pos = widget->rect().center();
    QWheelEvent event(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    // Delivered as the window system's wheel is (sendEvent would clear the
    // spontaneous flag), so that an ignored wheel travels on to the parent.
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(widget, &event);
}

const QStringList ShortAndLong = { "mm:ss", "HH:mm:ss" };

} // namespace

void tst_TimeEdit::construction()
{
    QWidget parent;
    auto* field = new TimeEdit(&parent);
    QCOMPARE(field->metaObject()->className(), "Tarvos::Gui::TimeEdit");
    QCOMPARE(field->parentWidget(), &parent);
    QVERIFY(field->wrapping());
    QCOMPARE(field->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(field->property("styleTag").toString(), QString());
    QCOMPARE(field->property("displayFormatList").toStringList(), QStringList());
}

void tst_TimeEdit::formatChoice_data()
{
    QTest::addColumn<QStringList>("formats");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<bool>("forceMaximum");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");

    QTest::newRow("short time") << ShortAndLong << QTime(0, 5, 7) << false << "mm:ss"
                                << "05:07";
    QTest::newRow("hour lost") << ShortAndLong << QTime(1, 5, 7) << false << "HH:mm:ss"
                               << "01:05:07";
    QTest::newRow("long first") << QStringList({ "HH:mm:ss", "mm:ss" }) << QTime(0, 5, 7) << false
                                << "HH:mm:ss"
                                << "00:05:07";
    // Every format loses something: the smallest loss wins, the earlier on ties.
    QTest::newRow("smallest loss")
        << QStringList({ "ss", "mm:ss" }) << QTime(1, 5, 7, 250) << false << "mm:ss"
        << "05:07";
    QTest::newRow("tie keeps earlier")
        << QStringList({ "mm:ss", "m:ss" }) << QTime(1, 5, 7) << false << "mm:ss"
        << "05:07";
    QTest::newRow("tie keeps earlier, reversed")
        << QStringList({ "m:ss", "mm:ss" }) << QTime(1, 5, 7) << false << "m:ss"
        << "5:07";
    QTest::newRow("milliseconds") << QStringList({ "HH:mm:ss", "HH:mm:ss.zzz" })
                                  << QTime(0, 0, 1, 500) << false << "HH:mm:ss.zzz"
                                  << "00:00:01.500";
    // The host may ask for the format of the maximum (02:00:00) at all times.
    QTest::newRow("forced maximum") << ShortAndLong << QTime(0, 0, 10) << true << "HH:mm:ss"
                                    << "00:00:10";
}

void tst_TimeEdit::formatChoice()
{
    QFETCH(QStringList, formats);
    QFETCH(QTime, time);
    QFETCH(bool, forceMaximum);
    QFETCH(QString, format);
    QFETCH(QString, text);

    Window w;
    w.field->setMaximumTime(QTime(2, 0));
    w.field->setProperty("forceMaxtimeFormat", forceMaximum);
    w.field->setTime(time);
    w.field->setDisplayFormatList(formats);
    QVERIFY(w.Show());
    QCOMPARE(w.field->displayFormat(), format);
    QCOMPARE(w.Line()->text(), text);
}

void tst_TimeEdit::emptyFormatListKeepsFormat()
{
    Window w;
    w.field->setDisplayFormat("H:mm:ss");
    w.field->setTime(QTime(0, 5, 7));
    w.field->setStyleTag("shrinkWidth");
    QVERIFY(w.Show());
    w.field->setTime(QTime(10, 5, 7));
    QCOMPARE(w.field->displayFormat(), QString("H:mm:ss"));
    QCOMPARE(w.Line()->text(), QString("10:05:07"));
    QCOMPARE(w.field->width(), w.field->fontMetrics().horizontalAdvance("10:05:07") + 4);
}

void tst_TimeEdit::focusedFieldFitsMaximum()
{
    Window w;
    w.field->setMaximumTime(QTime(2, 0));
    w.field->setTime(QTime(0, 0, 10));
    w.field->setDisplayFormatList(ShortAndLong);
    QVERIFY(w.Show());
    QCOMPARE(w.Line()->text(), QString("00:10"));

    w.field->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(w.field->hasFocus());
    QCOMPARE(w.field->displayFormat(), QString("HH:mm:ss"));
    QCOMPARE(w.Line()->text(), QString("00:00:10"));
    QCOMPARE(w.field->focusPolicy(), Qt::WheelFocus);

    w.other->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(!w.field->hasFocus());
    QCOMPARE(w.field->displayFormat(), QString("mm:ss"));
    QCOMPARE(w.Line()->text(), QString("00:10"));
    QCOMPARE(w.field->focusPolicy(), Qt::StrongFocus);
}

void tst_TimeEdit::cursorKeepsDistanceFromEnd()
{
    Window w;
    w.field->setTime(QTime(0, 5, 7));
    w.field->setDisplayFormatList(ShortAndLong);
    QVERIFY(w.Show());
    QCOMPARE(w.Line()->text(), QString("05:07"));
    w.Line()->setCursorPosition(3);

    w.field->setTime(QTime(1, 5, 7));
    QCOMPARE(w.Line()->text(), QString("01:05:07"));
    QCOMPARE(w.Line()->cursorPosition(), 6);

    w.field->setTime(QTime(0, 5, 7));
    QCOMPARE(w.Line()->text(), QString("05:07"));
    QCOMPARE(w.Line()->cursorPosition(), 3);
}

void tst_TimeEdit::steppingNeverWraps_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<QTime>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QTime>("minimum");
    QTest::addColumn<QTime>("maximum");
    QTest::addColumn<QTime>("expected");

    const int up = Qt::Key_Up;
    const int down = Qt::Key_Down;
    const QTime midnight(0, 0);
    const QTime lastMoment(23, 59, 59, 999);
    const int hour = QDateTimeEdit::HourSection;
    const int minute = QDateTimeEdit::MinuteSection;
    const int second = QDateTimeEdit::SecondSection;
    const int msec = QDateTimeEdit::MSecSection;
    QTest::newRow("hour up") << hour << QTime(1, 30) << up << midnight << lastMoment
                             << QTime(2, 30);
    QTest::newRow("minute down") << minute << QTime(1, 30) << down << midnight << lastMoment
                                 << QTime(1, 29);
    QTest::newRow("second up") << second << QTime(1, 30) << up << midnight << lastMoment
                               << QTime(1, 30, 1);
    QTest::newRow("millisecond up")
        << msec << QTime(1, 30) << up << midnight << lastMoment << QTime(1, 30, 0, 1);
    QTest::newRow("ten minutes") << minute << QTime(1, 30) << int(Qt::Key_PageUp) << midnight
                                 << lastMoment << QTime(1, 40);
    QTest::newRow("past midnight")
        << hour << QTime(23, 30) << up << midnight << lastMoment << lastMoment;
    QTest::newRow("before midnight")
        << second << QTime(0, 0, 0, 500) << down << midnight << lastMoment << midnight;
    QTest::newRow("above maximum")
        << hour << QTime(4, 15) << up << QTime(0, 0, 10) << QTime(5, 0) << QTime(5, 0);
    QTest::newRow("below minimum")
        << minute << QTime(0, 0, 30) << down << QTime(0, 0, 10) << QTime(5, 0) << QTime(0, 0, 10);
}

void tst_TimeEdit::steppingNeverWraps()
{
    QFETCH(int, section);
    QFETCH(QTime, start);
    QFETCH(int, key);
    QFETCH(QTime, minimum);
    QFETCH(QTime, maximum);
    QFETCH(QTime, expected);

    Window w;
    w.field->setDisplayFormat("HH:mm:ss.zzz");
    w.field->setTimeRange(minimum, maximum);
    w.field->setTime(start);
    QVERIFY(w.Show());
    w.field->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(w.field->hasFocus());
    w.field->setCurrentSection(static_cast<QDateTimeEdit::Section>(section));

    QTest::keyClick(w.field, static_cast<Qt::Key>(key));
    QCOMPARE(w.field->time(), expected);
}

void tst_TimeEdit::overwriteTyping_data()
{
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("newCursor");

    QTest::newRow("over a digit") << 1 << int(Qt::Key_5) << "05:12:59" << 3;
    QTest::newRow("last digit") << 7 << int(Qt::Key_3) << "00:12:53" << 8;
    // The hour 50 does not exist: the time stays, the cursor still moves on.
    QTest::newRow("invalid result") << 0 << int(Qt::Key_5) << "00:12:59" << 1;
    QTest::newRow("before a separator") << 2 << int(Qt::Key_5) << "00:12:59" << 3;
    QTest::newRow("at the end") << 8 << int(Qt::Key_5) << "00:12:59" << 8;
}

void tst_TimeEdit::overwriteTyping()
{
    QFETCH(int, cursor);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, newCursor);

    Window w;
    w.field->setDisplayFormat("HH:mm:ss");
    w.field->setTime(QTime(0, 12, 59));
    QVERIFY(w.Show());
    w.field->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(w.field->hasFocus());
    w.Line()->setCursorPosition(cursor);

    QTest::keyClick(w.field, static_cast<Qt::Key>(key));
    QCOMPARE(w.Line()->text(), text);
    QCOMPARE(w.field->time(), QTime::fromString(text, "HH:mm:ss"));
    QCOMPARE(w.Line()->cursorPosition(), newCursor);
    QVERIFY(!w.Line()->hasSelectedText());
}

void tst_TimeEdit::enterReportsAndLeaves()
{
    Window w;
    w.field->setDisplayFormat("HH:mm:ss");
    w.field->setTime(QTime(0, 12, 59));
    QVERIFY(w.Show());
    w.field->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(w.field->hasFocus());
    QSignalSpy entered(w.field, SIGNAL(EnterPressed()));

    QTest::keyClick(w.field, Qt::Key_Return);
    QCOMPARE(entered.count(), 1);
    QVERIFY(!w.field->hasFocus());
    QVERIFY(!w.Line()->hasSelectedText());
    QCOMPARE(w.field->focusPolicy(), Qt::StrongFocus);

    w.field->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(w.field->hasFocus());
    QTest::keyClick(w.field, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(entered.count(), 2);
}

void tst_TimeEdit::enterAfterFixupDoesNotReport()
{
    Window w;
    w.field->setDisplayFormat("HH:mm:ss");
    w.field->setTime(QTime(0, 12, 59));
    QVERIFY(w.Show());
    w.field->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(w.field->hasFocus());
    w.Line()->setCursorPosition(4);
    QTest::keyClick(w.field, Qt::Key_Backspace);
    QCOMPARE(w.Line()->text(), QString("00:2:59"));
    QSignalSpy entered(w.field, SIGNAL(EnterPressed()));

    // The base completes the half-typed minutes; that counts as handled.
    QTest::keyClick(w.field, Qt::Key_Return);
    QCOMPARE(w.Line()->text(), QString("00:02:59"));
    QCOMPARE(entered.count(), 0);
    QVERIFY(w.field->hasFocus());
}

void tst_TimeEdit::wheelOnlyWhileFocused()
{
    WheelCatcher parent;
    auto* field = new TimeEdit(&parent);
    auto* other = new QLineEdit(&parent);
    other->move(0, 60);
    other->setFocus();
    field->setDisplayFormat("HH:mm:ss");
    field->setTime(QTime(0, 12, 59));
    parent.show();
    parent.activateWindow();
    QApplication::setActiveWindow(&parent);
    QVERIFY(QTest::qWaitForWindowActive(&parent));
    QTRY_VERIFY(other->hasFocus());

    SendWheel(field, 120);
    QCOMPARE(field->time(), QTime(0, 12, 59));
    QCOMPARE(parent.wheels, 1);
    QVERIFY(!field->hasFocus());

    field->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(field->hasFocus());
    field->setCurrentSection(QDateTimeEdit::MinuteSection);
    SendWheel(field, 120);
    QCOMPARE(field->time(), QTime(0, 13, 59));
    QCOMPARE(parent.wheels, 1);
}

void tst_TimeEdit::shrinkWidth()
{
    Window w;
    QFont font("DejaVu Sans");
    font.setPixelSize(14);
    w.field->setFont(font);
    w.field->setTime(QTime(0, 5, 7));
    w.field->setDisplayFormatList(ShortAndLong);
    QVERIFY(w.Show());
    const int wide = w.field->width();

    w.field->setStyleTag("shrinkWidth");
    QCOMPARE(w.field->property("styleTag").toString(), QString("shrinkWidth"));
    const QFontMetrics metrics(font);
    QCOMPARE(w.field->width(), metrics.horizontalAdvance("05:07") + 4);
    QCOMPARE(w.field->maximumWidth(), w.field->minimumWidth());
    QVERIFY(w.field->width() < wide);

    // The width follows the text as the format grows.
    w.field->setTime(QTime(1, 5, 7));
    QCOMPARE(w.field->width(), metrics.horizontalAdvance("01:05:07") + 4);

    // Other tags are for style sheets only.
    TimeEdit plain;
    plain.setStyleTag("shrink");
    QCOMPARE(plain.maximumWidth(), QWIDGETSIZE_MAX);
}

QTEST_MAIN(tst_TimeEdit)
#include "tst_timeedit.moc"
