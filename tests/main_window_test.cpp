// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Unit1.h"

#include "app/application.h"
#include "ui/Unit2.h"
#include "ui/atspi_guard.h"
#include "ui/placement.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/evaluation.h"
#include "engine/number_text.h"

QT_BEGIN_NAMESPACE
void PrintTo(const QColor& colour, std::ostream* out) { *out << colour.name().toStdString(); }
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {

using velto::BandUnset;

QColor Rgb(std::uint32_t rgb) { return QColor::fromRgb(rgb); }
// The window's system colour `role`, as plain RGB.
QColor System(const QWidget& window, QPalette::ColorRole role) {
    return QColor::fromRgb(window.palette().color(role).rgb());
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        velto::SetDecimalSeparator(',');
        form = std::make_unique<TForm1>();
        form->show();
        // The offscreen platform has no window manager to hand activation back to the
        // window once an open list closes, as a desktop's does: the window is made the
        // active one within Qt, as a desktop keeps it (deprecated from Qt 6.5 on, with no
        // replacement that works without a window manager).
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        QApplication::setActiveWindow(form.get());
        QT_WARNING_POP
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        lists = {form->ComboBox1, form->ComboBox2, form->ComboBox3, form->ComboBox4, form->ComboBox5};
        stripes = {form->Shape1, form->Shape2, form->Shape3, form->Shape4, form->Shape5};
    }
    void TearDown() override { velto::SetDecimalSeparator('.'); }

    // Moves list `band` to `position` with the arrow keys, one pick a key press.
    void Pick(int band, int position) {
        velto::BandList* list = lists[band - 1];
        while (list->currentIndex() != position) {
            const int before = list->currentIndex();
            QTest::keyClick(list, position > list->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
            ASSERT_NE(list->currentIndex(), before) << "list " << band << " did not move";
        }
    }
    // Types `text` into list `band`, a key press a character (any script).
    void Type(int band, const QString& text) {
        for (QChar character : text)
            QTest::sendKeyEvent(QTest::Click, lists[band - 1]->lineEdit(), Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
    }
    void ClearText(int band) {
        QLineEdit* edit = lists[band - 1]->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
    }
    QString Result() const { return form->rez->text(); }

    std::unique_ptr<TForm1> form;
    std::vector<velto::BandList*> lists;
    std::vector<velto::Shape*> stripes;
};

TEST_F(MainWindow, StartsWithNothingPickedAndFourBandsChosen) {
    for (double code : form->bandValues()) EXPECT_EQ(code, BandUnset);
    for (auto* list : lists) {
        EXPECT_EQ(list->currentIndex(), -1);
        EXPECT_EQ(list->currentText(), "");
        EXPECT_EQ(list->selectedPosition(), -1);
    }
    for (auto* stripe : stripes) EXPECT_FALSE(stripe->isVisible());
    EXPECT_TRUE(form->RadioButton2->isChecked());
    EXPECT_FALSE(form->RadioButton1->isChecked());
    EXPECT_FALSE(form->Label5->isEnabled());
    EXPECT_FALSE(form->ComboBox5->isEnabled());
    EXPECT_EQ(Result(), " ");
    EXPECT_EQ(QApplication::focusWidget(), form->ComboBox1);
}

TEST_F(MainWindow, IsAFixedWindowAtItsPlace) {
    EXPECT_EQ(form->windowTitle(), "Velto 03");
    EXPECT_EQ(form->size(), QSize(466, 211));
    EXPECT_EQ(form->minimumSize(), QSize(466, 211));
    EXPECT_EQ(form->maximumSize(), QSize(466, 211));
    EXPECT_EQ(form->frameGeometry().topLeft(), QPoint(152, 191));
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
}

struct Placement {
    const char* name;
    QRect geometry;
    bool visible;
    bool enabled;
};

TEST_F(MainWindow, WidgetsAreCreatedInOrderAtTheirPlaces) {
    const Placement layout[] = {
        {"Bevel1", {8, 8, 449, 57}, true, true},      {"Label1", {16, 16, 46, 13}, true, true},
        {"Label2", {104, 16, 46, 13}, true, true},    {"Label3", {192, 16, 46, 13}, true, true},
        {"Label4", {280, 16, 46, 13}, true, true},    {"Label5", {368, 16, 46, 13}, true, false},
        {"Bevel2", {8, 128, 209, 73}, true, true},    {"Bevel3", {224, 112, 233, 89}, true, true},
        {"Bevel4", {224, 72, 233, 33}, true, true},   {"Image1", {16, 136, 193, 57}, true, true},
        {"Shape1", {64, 152, 9, 25}, false, true},    {"Shape2", {88, 152, 9, 25}, false, true},
        {"Shape3", {104, 152, 9, 25}, false, true},   {"Shape4", {120, 152, 9, 25}, false, true},
        {"Shape5", {136, 152, 9, 25}, false, true},   {"ComboBox1", {16, 32, 81, 21}, true, true},
        {"ComboBox2", {104, 32, 81, 21}, true, true}, {"ComboBox3", {192, 32, 81, 21}, true, true},
        {"ComboBox4", {280, 32, 81, 21}, true, true}, {"ComboBox5", {368, 32, 81, 21}, true, false},
        {"RadioButton1", {8, 96, 185, 17}, true, true}, {"RadioButton2", {8, 80, 185, 17}, true, true},
        {"Panel1", {232, 120, 217, 73}, true, true},  {"Button1", {280, 80, 121, 17}, true, true},
        {"Button2", {232, 80, 41, 17}, false, true},
    };
    std::vector<QWidget*> children;
    for (QObject* child : form->children())
        if (auto* widget = qobject_cast<QWidget*>(child)) children.push_back(widget);
    ASSERT_EQ(children.size(), std::size(layout));
    for (std::size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE(layout[i].name);
        EXPECT_EQ(children[i]->objectName(), layout[i].name);
        EXPECT_EQ(children[i]->geometry(), layout[i].geometry);
        EXPECT_EQ(children[i]->isVisible(), layout[i].visible);
        EXPECT_EQ(children[i]->isEnabled(), layout[i].enabled);
    }
    EXPECT_EQ(form->rez->parentWidget(), form->Panel1);
    EXPECT_EQ(form->rez->geometry(), QRect(8, 8, 201, 57));
    EXPECT_EQ(form->ComboBox1->maxVisibleItems(), 10);
    for (int band = 2; band <= 5; ++band) EXPECT_EQ(lists[band - 1]->maxVisibleItems(), 22);
    for (int band = 1; band <= 5; ++band) {
        EXPECT_EQ(lists[band - 1]->count(), static_cast<int>(velto::ListEntries(band).size()));
        EXPECT_EQ(lists[band - 1]->accessibleName(), QStringLiteral("Кольцо %1").arg(band));
        EXPECT_TRUE(lists[band - 1]->isEditable());
    }
}

TEST_F(MainWindow, EveryPickPaintsItsStripeStoresItsCodeAndEvaluatesOnce) {
    QTest::mouseClick(form->RadioButton1, Qt::LeftButton);
    QSignalSpy evaluations(form->Button2, &QPushButton::clicked);
    for (int band = 1; band <= 5; ++band) {
        for (int position = 0; position < lists[band - 1]->count(); ++position) {
            SCOPED_TRACE(testing::Message() << "band " << band << " position " << position);
            evaluations.clear();
            Pick(band, position);
            const auto pick = velto::LookUpPick(band, position);
            EXPECT_EQ(evaluations.count(), 1);
            EXPECT_EQ(form->bandValues()[band - 1], pick->code);
            EXPECT_EQ(stripes[band - 1]->fill(), Rgb(pick->stripe));
            EXPECT_TRUE(stripes[band - 1]->isVisible());
            EXPECT_EQ(lists[band - 1]->currentText(), QString::fromUtf8(velto::ListEntries(band)[position].data()));
        }
    }
}

TEST_F(MainWindow, AssistiveTechnologyReadsTheResult) {
    Pick(1, 0);
    Pick(2, 0);
    Pick(3, 2);
    Pick(4, 1);
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.get());
    EXPECT_EQ(window->role(), QAccessible::Window);  // a screen reader reads its title
    EXPECT_EQ(window->text(QAccessible::Name), "Velto 03");
    QAccessibleInterface* result = QAccessible::queryAccessibleInterface(form->rez);
    ASSERT_NE(result, nullptr);
    // A screen reader speaks a notification as it shows; from Qt 6.8 on, the label
    // announces its text instead.
    EXPECT_EQ(result->role(), QT_VERSION >= QT_VERSION_CHECK(6, 8, 0) ? QAccessible::StaticText : QAccessible::Notification);
    EXPECT_EQ(result->text(QAccessible::Name), "10 ом, допуск плюс-минус 5 процентов");
    // A screen reader reads the status bar on demand: the result is in it.
    EXPECT_EQ(result->parent()->role(), QAccessible::StatusBar);
    // Each list is named by its caption, a greyed one saying that the list is unavailable;
    // its text part, which has the focus, by the same name while it holds a text (an
    // empty one would be read as its name).
    const auto caption = [](QWidget* widget) {
        const auto labels = QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label);
        return labels.size() == 1 ? labels[0].first->text(QAccessible::Name) : QStringLiteral("%1 labels").arg(labels.size());
    };
    EXPECT_EQ(caption(form->ComboBox3), "Кольцо 3");
    EXPECT_EQ(caption(form->ComboBox3->lineEdit()), "Кольцо 3");
    EXPECT_EQ(caption(form->ComboBox5), "Кольцо 5, неактивно");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->ComboBox5->lineEdit())->text(QAccessible::Name), "");

    // Text that assistive technology sets is a change like any typed one.
    QSignalSpy evaluations(form->Button2, &QPushButton::clicked);
    QAccessibleInterface* edit = QAccessible::queryAccessibleInterface(form->ComboBox1->lineEdit());
    ASSERT_NE(edit->editableTextInterface(), nullptr);
    edit->editableTextInterface()->replaceText(0, static_cast<int>(form->ComboBox1->currentText().size()), "Красный");
    EXPECT_EQ(evaluations.count(), 1);
    EXPECT_EQ(form->Shape1->fill(), Rgb(0xFF0000));
    EXPECT_EQ(Result(), "20 Ом. +/-5%");

    QTest::mouseClick(form->RadioButton1, Qt::LeftButton);
    EXPECT_EQ(caption(form->ComboBox5), "Кольцо 5");
}

// Runs `call`, and ends the whole run if it has not answered within five seconds: a call
// that never returns would otherwise hang the suite (one answers in microseconds).
template <typename Call>
void Answers(const std::string& what, Call call) {
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!answered.wait_for(lock, std::chrono::seconds(5), [&] { return done; })) {
            std::fprintf(stderr, "%s never answered\n", what.c_str());
            std::abort();
        }
    });
    call();
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    answered.notify_one();
    watchdog.join();
}

struct Piece {
    QString text;
    int start;
    int end;
};
bool operator==(const Piece& a, const Piece& b) { return a.text == b.text && a.start == b.start && a.end == b.end; }
void PrintTo(const Piece& piece, std::ostream* out) {
    *out << '"' << piece.text.toStdString() << "\" [" << piece.start << ", " << piece.end << ')';
}

enum class Side { At, Before, After };
constexpr QAccessible::TextBoundaryType kBoundaries[] = {
    QAccessible::CharBoundary, QAccessible::WordBoundary,      QAccessible::SentenceBoundary,
    QAccessible::LineBoundary, QAccessible::ParagraphBoundary, QAccessible::NoBoundary};

Piece Ask(QAccessibleTextInterface* text, Side side, int offset, QAccessible::TextBoundaryType boundary) {
    Piece piece{{}, -7, -7};
    Answers("text piece " + std::to_string(static_cast<int>(side)) + " at " + std::to_string(offset) + " by " +
                std::to_string(boundary),
            [&] {
                switch (side) {
                case Side::At: piece.text = text->textAtOffset(offset, boundary, &piece.start, &piece.end); break;
                case Side::Before: piece.text = text->textBeforeOffset(offset, boundary, &piece.start, &piece.end); break;
                case Side::After: piece.text = text->textAfterOffset(offset, boundary, &piece.start, &piece.end); break;
                }
            });
    return piece;
}

// Every piece of `text`, asked for on every side of every offset that a client may send,
// answers at once with a piece of the text where it says; the pieces at, after and before
// each offset walk the text alike, each boundary's pieces covering it once.
void ExpectWholePieces(QAccessibleTextInterface* text, const QString& whole) {
    ASSERT_EQ(text->characterCount(), whole.size());
    const int length = static_cast<int>(whole.size());
    std::vector<int> offsets = {INT_MIN, -3, -1, 0, 1, length / 2, length - 1, length, length + 1, INT_MAX};
    for (QAccessible::TextBoundaryType boundary : kBoundaries) {
        for (Side side : {Side::At, Side::Before, Side::After}) {
            for (int offset : offsets) {
                SCOPED_TRACE(testing::Message() << "boundary " << boundary << ", side " << static_cast<int>(side)
                                                << ", offset " << offset);
                const Piece piece = Ask(text, side, offset, boundary);
                const int asked = offset == -1 ? length : offset;
                if (asked < 0 || asked > length) {
                    EXPECT_EQ(piece, (Piece{{}, -1, -1}));
                    continue;
                }
                ASSERT_LE(0, piece.start);
                ASSERT_LE(piece.start, piece.end);
                ASSERT_LE(piece.end, length);
                EXPECT_EQ(piece.text, whole.mid(piece.start, piece.end - piece.start));
                if (piece.text.isEmpty()) {
                    EXPECT_EQ(piece.start, asked);
                } else if (side == Side::At) {
                    EXPECT_TRUE(piece.start <= asked && (asked < piece.end || piece.end == length));
                } else if (side == Side::Before) {
                    EXPECT_LE(piece.end, asked);
                } else {
                    EXPECT_GT(piece.start, asked);
                }
            }
        }
        SCOPED_TRACE(testing::Message() << "boundary " << boundary);
        std::vector<Piece> forward;
        for (int at = 0; at < length; at = forward.back().end) {
            forward.push_back(Ask(text, Side::At, at, boundary));
            ASSERT_EQ(forward.back().start, at);
            ASSERT_GT(forward.back().end, at);
        }
        QString joined;
        for (const Piece& piece : forward) joined += piece.text;
        EXPECT_EQ(joined, whole);
        for (std::size_t i = 1; i < forward.size(); ++i) {
            EXPECT_EQ(Ask(text, Side::After, forward[i - 1].start, boundary), forward[i]);
            EXPECT_EQ(Ask(text, Side::Before, forward[i].start, boundary), forward[i - 1]);
        }
        if (!forward.empty()) {
            EXPECT_EQ(Ask(text, Side::Before, length, boundary), forward.back());
        }
    }
}

struct PieceCase {
    Side side;
    int offset;
    QAccessible::TextBoundaryType boundary;
    Piece expected;
};

struct RangeCase {
    int start;
    int end;
    const char* expected;
};

TEST_F(MainWindow, ResultTextAnswersEveryPieceAndRangeAtOnce) {
    Pick(1, 0);  // brown
    Pick(2, 0);  // black
    Pick(3, 4);  // red
    Pick(4, 4);  // red
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(form->rez)->textInterface();
    ASSERT_NE(text, nullptr);
    const QString words = QStringLiteral("1 килоом, допуск плюс-минус 2 процента");
    ASSERT_EQ(text->text(0, text->characterCount()), words);
    ExpectWholePieces(text, words);

    const auto W = QAccessible::WordBoundary;
    const PieceCase pieces[] = {
        {Side::At, 2, W, {"килоом", 2, 8}},     {Side::At, 8, W, {", ", 8, 10}},
        {Side::At, 38, W, {"процента", 30, 38}}, {Side::At, -1, W, {"процента", 30, 38}},
        {Side::At, 21, W, {"-", 21, 22}},        {Side::Before, 38, W, {"процента", 30, 38}},
        {Side::Before, 3, W, {" ", 1, 2}},       {Side::After, 0, W, {" ", 1, 2}},
        {Side::After, 37, W, {"", 37, 37}},      {Side::Before, 0, W, {"", 0, 0}},
        {Side::At, 39, W, {"", -1, -1}},         {Side::At, INT_MIN, W, {"", -1, -1}},
        {Side::At, 38, QAccessible::SentenceBoundary, {words, 0, 38}},
        {Side::After, 0, QAccessible::SentenceBoundary, {"", 0, 0}},
        {Side::At, 2, QAccessible::CharBoundary, {"к", 2, 3}},
        {Side::At, 38, QAccessible::CharBoundary, {"", 38, 38}},
        {Side::Before, 38, QAccessible::CharBoundary, {"а", 37, 38}},
        {Side::At, 38, QAccessible::LineBoundary, {words, 0, 38}},
    };
    for (const PieceCase& c : pieces) {
        SCOPED_TRACE(testing::Message() << "side " << static_cast<int>(c.side) << ", offset " << c.offset);
        EXPECT_EQ(Ask(text, c.side, c.offset, c.boundary), c.expected);
    }

    // -1 alone means "to the end"; a range reaching past the text is cut to it.
    const RangeCase ranges[] = {
        {0, -1, "1 килоом, допуск плюс-минус 2 процента"}, {INT_MIN, INT_MAX, "1 килоом, допуск плюс-минус 2 процента"},
        {5, 2, ""}, {0, -5, ""}, {-3, 1, "1"}, {30, 1000, "процента"}, {38, 38, ""}, {INT_MAX, INT_MIN, ""},
    };
    for (const RangeCase& c : ranges) {
        SCOPED_TRACE(testing::Message() << "range " << c.start << " to " << c.end);
        EXPECT_EQ(text->text(c.start, c.end), QString::fromUtf8(c.expected));
    }
    int start = 0, end = 0;
    text->attributes(INT_MIN, &start, &end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 38);
}

TEST_F(MainWindow, TextPartAnswersEveryPieceAndChangesOnlyWithinItsText) {
    QAccessibleInterface* part = QAccessible::queryAccessibleInterface(form->ComboBox1->lineEdit());
    QAccessibleTextInterface* text = part->textInterface();
    QAccessibleEditableTextInterface* editable = part->editableTextInterface();
    ASSERT_NE(text, nullptr);
    ASSERT_NE(editable, nullptr);
    EXPECT_EQ(part->role(), QAccessible::EditableText);
    // Texts that a list's entry or a person's typing leave, blanks at either end among them.
    const QAccessible::TextBoundaryType W = QAccessible::WordBoundary;
    const struct {
        const char* typed;
        PieceCase piece;
    } typed[] = {
        {"Белый", {Side::At, 5, W, {"Белый", 0, 5}}},  {"Белый", {Side::Before, 5, W, {"Белый", 0, 5}}},
        {"Белый ", {Side::At, 6, W, {" ", 5, 6}}},     {"Белый ", {Side::Before, 5, W, {"Белый", 0, 5}}},
        {" Белый", {Side::At, 0, W, {" ", 0, 1}}},     {" Белый", {Side::After, 0, W, {"Белый", 1, 6}}},
        {" ", {Side::At, 0, QAccessible::SentenceBoundary, {" ", 0, 1}}},
        {"", {Side::At, 0, W, {"", 0, 0}}},            {"", {Side::At, 1, W, {"", -1, -1}}},
    };
    for (const auto& c : typed) {
        SCOPED_TRACE(testing::Message() << '"' << c.typed << '"');
        ClearText(1);
        Type(1, QString::fromUtf8(c.typed));
        ExpectWholePieces(text, QString::fromUtf8(c.typed));
        EXPECT_EQ(Ask(text, c.piece.side, c.piece.offset, c.piece.boundary), c.piece.expected);
    }

    // Selection and cursor stay within the text, and a list holds one selection.
    ClearText(1);
    Type(1, QStringLiteral("Белый"));
    text->setSelection(0, INT_MIN, INT_MAX);
    int start = 0, end = 0;
    text->selection(0, &start, &end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);
    text->setSelection(1, 0, 2);
    text->addSelection(INT_MAX, INT_MIN);  // the one selection again, backwards
    EXPECT_EQ(text->selectionCount(), 1);
    text->selection(0, &start, &end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);
    text->removeSelection(0);
    EXPECT_EQ(text->selectionCount(), 0);
    text->setCursorPosition(INT_MAX);
    EXPECT_EQ(text->cursorPosition(), 5);
    text->setCursorPosition(-7);
    EXPECT_EQ(text->cursorPosition(), 0);
    text->scrollToSubstring(INT_MIN, INT_MAX);
    EXPECT_EQ(text->cursorPosition(), 0);

    // Each character lies in the text part, each right of the one before it, and the
    // point at its middle is at it or right after it.
    const QRect box(form->ComboBox1->lineEdit()->mapToGlobal(QPoint(0, 0)), form->ComboBox1->lineEdit()->size());
    for (int offset : {INT_MIN, -1, 5, INT_MAX}) EXPECT_TRUE(text->characterRect(offset).isNull()) << offset;
    for (int offset = 0; offset < 5; ++offset) {
        SCOPED_TRACE(testing::Message() << "character " << offset);
        const QRect character = text->characterRect(offset);
        EXPECT_TRUE(box.adjusted(-1, -1, 1, 1).contains(character)) << character.x() << ' ' << character.width();
        if (offset > 0) {
            EXPECT_GT(character.left(), text->characterRect(offset - 1).left());
        }
        const int at = text->offsetAtPoint(character.center());
        EXPECT_TRUE(at == offset || at == offset + 1) << at;
    }
    for (const QPoint far : {QPoint(INT_MAX, INT_MIN), QPoint(INT_MIN, INT_MAX)}) {
        const int at = text->offsetAtPoint(far);
        EXPECT_TRUE(at >= -1 && at <= 5) << at;
    }

    // Edits reach no further than the text, and count as typing does.
    const struct {
        void (*edit)(QAccessibleEditableTextInterface*);
        const char* expected;
    } edits[] = {
        {[](auto* e) { e->replaceText(INT_MIN, INT_MAX, QStringLiteral("Красный")); }, "Красный"},
        {[](auto* e) { e->deleteText(5, 2); }, "Красный"},
        {[](auto* e) { e->deleteText(-5, 3); }, "сный"},
        {[](auto* e) { e->insertText(INT_MAX, QStringLiteral("!")); }, "сный!"},
        {[](auto* e) { e->insertText(INT_MIN, QStringLiteral("Кра")); }, "Красный!"},
        {[](auto* e) { e->replaceText(7, -1, QString()); }, "Красный"},
    };
    for (const auto& c : edits) {
        c.edit(editable);
        EXPECT_EQ(form->ComboBox1->currentText(), QString::fromUtf8(c.expected));
    }
    EXPECT_EQ(form->bandValues()[0], 2);  // red
    // The characters' boxes follow the text as it changes: each begins where the one
    // before it ends, up to the new last one.
    for (int offset = 1; offset < 7; ++offset) {
        EXPECT_NEAR(text->characterRect(offset).left(), text->characterRect(offset - 1).right() + 1, 1) << offset;
    }
    EXPECT_TRUE(text->characterRect(7).isNull());
}

TEST_F(MainWindow, APickFromTheOpenListCountsOnceAndTypingAfterItCounts) {
    QSignalSpy evaluations(form->Button2, &QPushButton::clicked);
    form->ComboBox2->showPopup();
    QAbstractItemView* view = form->ComboBox2->view();
    view->setCurrentIndex(view->model()->index(2, 0));
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(evaluations.count(), 1);
    EXPECT_EQ(form->bandValues()[1], 2);  // red
    QApplication::processEvents();
    Type(2, QStringLiteral("x"));
    EXPECT_EQ(evaluations.count(), 2);
    EXPECT_EQ(form->ComboBox2->currentText(), "x");
}

TEST_F(MainWindow, OpenListIsAListOfItsEntriesThatAnswersAnyIndex) {
    form->ComboBox2->showPopup();
    QAbstractItemView* view = form->ComboBox2->view();
    view->setCurrentIndex(view->model()->index(2, 0));
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    // Read as part of the list it opens from, as a screen reader names it.
    EXPECT_EQ(list->parent()->object(), form->ComboBox2);
    // No table: Qt's bridge ends the program when asked of a table for a cell it lacks.
    EXPECT_EQ(list->tableInterface(), nullptr);
    ASSERT_EQ(list->childCount(), 10);
    for (int row = 0; row < 10; ++row) {
        SCOPED_TRACE(testing::Message() << "entry " << row);
        QAccessibleInterface* entry = list->child(row);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry, list->child(row));  // one object an entry, for as long as the list lives
        EXPECT_EQ(entry->role(), QAccessible::ListItem);
        EXPECT_EQ(entry->text(QAccessible::Name), form->ComboBox2->itemText(row));
        EXPECT_EQ(entry->parent(), list);
        EXPECT_EQ(list->indexOfChild(entry), row);
        EXPECT_EQ(entry->state().selected, row == 2);
        if (!entry->state().offscreen) {
            EXPECT_EQ(list->childAt(entry->rect().center().x(), entry->rect().center().y()), entry);
        }
    }
    for (int index : {INT_MIN, -1, 10, INT_MAX}) EXPECT_EQ(list->child(index), nullptr) << index;
    EXPECT_EQ(list->childAt(INT_MIN, INT_MAX), nullptr);
    form->ComboBox2->hidePopup();
}

namespace {

// Stands for Qt's AT-SPI bridge: declares some of its methods and properties, as it
// does, answers every call that reaches it but the setting of a property (which Qt's
// leaves unanswered for the application's id), a property with its name, and keeps
// every call's arguments.
class RecordingBridge : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override {
        return QStringLiteral(
            "<interface name=\"org.a11y.atspi.Accessible\">"
            "<property access=\"read\" type=\"s\" name=\"Name\"/><property access=\"read\" type=\"i\" name=\"ChildCount\"/>"
            "</interface><interface name=\"org.a11y.atspi.Application\">"
            "<property access=\"readwrite\" type=\"i\" name=\"Id\"/>"
            "</interface><interface name=\"org.a11y.atspi.Text\">"
            "<method name=\"GetText\"><arg direction=\"in\" type=\"i\"/><arg direction=\"in\" type=\"i\"/>"
            "<arg direction=\"out\" type=\"s\"/></method>"
            "<method name=\"GetRangeExtents\"><arg direction=\"in\" type=\"i\"/><arg direction=\"in\" type=\"i\"/>"
            "<arg direction=\"in\" type=\"u\"/><arg direction=\"out\" type=\"(iiii)\"/></method>"
            "<method name=\"GetBoundedRanges\"><arg type=\"i\"/><arg type=\"i\"/><arg type=\"i\"/><arg type=\"i\"/>"
            "<arg type=\"u\"/><arg type=\"u\"/><arg type=\"u\"/><arg direction=\"out\" type=\"a(iisv)\"/></method>"
            "</interface><interface name=\"org.a11y.atspi.EditableText\">"
            "<method name=\"InsertText\"><arg direction=\"in\" type=\"i\"/><arg direction=\"in\" type=\"s\"/>"
            "<arg direction=\"in\" type=\"i\"/><arg direction=\"out\" type=\"b\"/></method></interface>");
    }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        reached << message.arguments();
        if (message.member() == QLatin1String("Get"))
            connection.send(message.createReply(QVariant::fromValue(QDBusVariant(message.arguments().value(1)))));
        else if (message.member() != QLatin1String("Set"))
            connection.send(message.createReply(QVariant(true)));
        return true;
    }
    QList<QList<QVariant>> reached;
};

// A message bus of the test's own, as the accessibility bus is one.
class PrivateBus {
public:
    PrivateBus() {
        daemon_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                      QStringLiteral("--print-address=1")});
        while (address_.isEmpty() && daemon_.waitForReadyRead(10000)) address_ += QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus() {
        daemon_.kill();
        daemon_.waitForFinished();
    }
    QString address() const { return address_; }

private:
    QProcess daemon_;
    QString address_;
};

struct BridgeCall {
    const char* method;  // interface and member
    QList<QVariant> arguments;
    const char* refusal;  // the error's name, or empty where the call is answered
    QList<QList<QVariant>> reaching;  // the arguments of each call that reaches the bridge
    QVariantMap all = {};  // what GetAll answers
};

}  // namespace

TEST_F(MainWindow, AssistiveTechnologyCallsReachTheBridgeOnlyWithTheArgumentsTheyDeclareAndWithinTheirText) {
    form->rez->setText(QStringLiteral("1 кОм ±2%"));
    QAccessibleInterface* result = QAccessible::queryAccessibleInterface(form->rez);
    const int length = result->textInterface()->characterCount();
    ASSERT_GT(length, 0);
    const QString path = QStringLiteral("/org/a11y/atspi/accessible/%1").arg(QAccessible::uniqueId(result));

    // The program and a client, each on its own connection to a bus.
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "no dbus-daemon";
    QDBusConnection program = QDBusConnection::connectToBus(bus.address(), QStringLiteral("program"));
    QDBusConnection client = QDBusConnection::connectToBus(bus.address(), QStringLiteral("client"));
    ASSERT_TRUE(program.isConnected() && client.isConnected()) << qPrintable(program.lastError().message());
    RecordingBridge bridge;
    velto::AtSpiGuard guard(&bridge);
    ASSERT_TRUE(program.registerVirtualObject(QStringLiteral("/org/a11y/atspi/accessible"), &guard, QDBusConnection::SubPath));

    const QString text = QStringLiteral("Бел");
    const QString accessible = QStringLiteral("org.a11y.atspi.Accessible");
    const QString application = QStringLiteral("org.a11y.atspi.Application");
    const QString textual = QStringLiteral("org.a11y.atspi.Text");
    const auto property = [](const QString& interface, const char* name) {
        return QList<QVariant>{interface, QString::fromLatin1(name)};
    };
    const QVariant id = QVariant::fromValue(QDBusVariant(5));
    const std::vector<BridgeCall> calls = {
        {"org.a11y.atspi.Text.GetText", {}, "org.freedesktop.DBus.Error.InvalidArgs", {}},
        {"org.a11y.atspi.Text.GetText", {QStringLiteral("0")}, "org.freedesktop.DBus.Error.InvalidArgs", {}},
        {"org.a11y.atspi.Text.GetText", {0, 1, 2}, "org.freedesktop.DBus.Error.InvalidArgs", {}},
        {"org.a11y.atspi.Text.GetText", {0, -1}, "", {{0, -1}}},
        {"org.a11y.atspi.Text.GetRangeExtents", {0, INT_MAX, 0u}, "", {{0, length, 0u}}},
        {"org.a11y.atspi.Text.GetRangeExtents", {INT_MIN, -1, 1u}, "", {{0, length, 1u}}},
        {"org.a11y.atspi.Text.GetRangeExtents", {INT_MAX, INT_MIN, 0u}, "", {{length, 0, 0u}}},
        {"org.a11y.atspi.Text.GetRangeExtents", {2, 1, 0u}, "", {{2, 1, 0u}}},
        {"org.a11y.atspi.Text.GetRangeExtents", {0, 1}, "org.freedesktop.DBus.Error.InvalidArgs", {}},
        {"org.a11y.atspi.EditableText.InsertText", {0, text, INT_MAX}, "", {{0, text, 3}}},
        {"org.a11y.atspi.EditableText.InsertText", {0, text, -7}, "", {{0, text, 0}}},
        {"org.a11y.atspi.EditableText.InsertText", {0, text, 2}, "", {{0, text, 2}}},
        {"org.a11y.atspi.Text.GetBoundedRanges", {0, 0, 10, 10, 0u, 0u, 0u}, "org.freedesktop.DBus.Error.NotSupported", {}},
        // The one method it answers without declaring it takes no arguments.
        {"org.a11y.atspi.Accessible.GetInterfaces", {}, "", {{}}},
        {"org.a11y.atspi.Accessible.GetInterfaces", {1}, "org.freedesktop.DBus.Error.InvalidArgs", {}},
        // Methods of interfaces it does not declare for the object, with and without arguments.
        {"org.a11y.atspi.Table.GetAccessibleAt", {}, "org.freedesktop.DBus.Error.UnknownMethod", {}},
        {"org.a11y.atspi.Table.GetAccessibleAt", {0, 0}, "org.freedesktop.DBus.Error.UnknownMethod", {}},
        {"org.a11y.atspi.Nothing.Ever", {QStringLiteral("x")}, "org.freedesktop.DBus.Error.UnknownMethod", {}},
        // A property that one of its interfaces declares, and nothing else: the bridge
        // takes other names for methods, and reads arguments that the call lacks.
        {"org.freedesktop.DBus.Properties.Get", {}, "org.freedesktop.DBus.Error.InvalidArgs", {}},
        {"org.freedesktop.DBus.Properties.Get", property(accessible, "Name"), "", {property(accessible, "Name")}},
        {"org.freedesktop.DBus.Properties.Get", property(textual, "OffsetAtPoint"), "org.freedesktop.DBus.Error.UnknownProperty", {}},
        {"org.freedesktop.DBus.Properties.Get", property(textual, "RangeExtents"), "org.freedesktop.DBus.Error.UnknownProperty", {}},
        {"org.freedesktop.DBus.Properties.Get", property(textual, "BoundedRanges"), "org.freedesktop.DBus.Error.UnknownProperty", {}},
        {"org.freedesktop.DBus.Properties.Get", property(QStringLiteral("org.a11y.atspi.Component"), "AccessibleAtPoint"),
         "org.freedesktop.DBus.Error.UnknownInterface", {}},
        {"org.freedesktop.DBus.Properties.Get", property(accessible, "name"), "org.freedesktop.DBus.Error.UnknownProperty", {}},
        // Every readable property of a declared interface, each as Get answers it; none
        // where it declares none; an interface it does not declare, not at all.
        {"org.freedesktop.DBus.Properties.GetAll", {accessible}, "",
         {property(accessible, "Name"), property(accessible, "ChildCount")},
         {{QStringLiteral("Name"), QStringLiteral("Name")}, {QStringLiteral("ChildCount"), QStringLiteral("ChildCount")}}},
        {"org.freedesktop.DBus.Properties.GetAll", {application}, "", {property(application, "Id")}, {{QStringLiteral("Id"), QStringLiteral("Id")}}},
        {"org.freedesktop.DBus.Properties.GetAll", {textual}, "", {}},
        {"org.freedesktop.DBus.Properties.GetAll", {QStringLiteral("org.a11y.atspi.EditableText")}, "", {}},
        {"org.freedesktop.DBus.Properties.GetAll", {QStringLiteral("org.freedesktop.DBus.Properties")}, "", {}},
        {"org.freedesktop.DBus.Properties.GetAll", {QString()}, "org.freedesktop.DBus.Error.UnknownInterface", {}},
        {"org.freedesktop.DBus.Properties.GetAll", {QStringLiteral("made.up")}, "org.freedesktop.DBus.Error.UnknownInterface", {}},
        {"org.freedesktop.DBus.Properties.GetAll", {accessible, accessible}, "org.freedesktop.DBus.Error.InvalidArgs", {}},
        // A property declared writable, to a value of its type: answered, though the
        // bridge itself does not answer it.
        {"org.freedesktop.DBus.Properties.Set", {application, QStringLiteral("Id"), id}, "", {{application, QStringLiteral("Id"), id}}},
        {"org.freedesktop.DBus.Properties.Set", {application, QStringLiteral("Id"), QVariant::fromValue(QDBusVariant(QStringLiteral("5")))},
         "org.freedesktop.DBus.Error.InvalidArgs", {}},
        {"org.freedesktop.DBus.Properties.Set", {accessible, QStringLiteral("Name"), QVariant::fromValue(QDBusVariant(text))},
         "org.freedesktop.DBus.Error.PropertyReadOnly", {}},
        {"org.freedesktop.DBus.Properties.Set",
         {QStringLiteral("org.a11y.atspi.EditableText"), QStringLiteral("TextContents"), QVariant::fromValue(QDBusVariant(text))},
         "org.freedesktop.DBus.Error.UnknownProperty", {}},
        {"org.freedesktop.DBus.Properties.Set", {application, QStringLiteral("Id")}, "org.freedesktop.DBus.Error.InvalidArgs", {}},
    };
    for (const BridgeCall& call : calls) {
        SCOPED_TRACE(testing::Message() << call.method << " with " << call.arguments.size() << " arguments");
        const QString method = QString::fromLatin1(call.method);
        QDBusMessage message = QDBusMessage::createMethodCall(program.baseService(), path, method.section(QLatin1Char('.'), 0, -2),
                                                              method.section(QLatin1Char('.'), -1));
        message.setArguments(call.arguments);
        bridge.reached.clear();
        const QDBusPendingCall pending = client.asyncCall(message, 5000);
        ASSERT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 10000));
        EXPECT_EQ(pending.error().name(), QLatin1String(call.refusal)) << qPrintable(pending.error().message());
        EXPECT_EQ(bridge.reached, call.reaching);
        if (method.endsWith(QLatin1String(".GetAll")) && !pending.isError()) {
            EXPECT_EQ(qdbus_cast<QVariantMap>(pending.reply().arguments().value(0)), call.all);
        }
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    QDBusConnection::disconnectFromBus(QStringLiteral("program"));
}

TEST_F(MainWindow, APickCompletingTheMarkingShowsItsValue) {
    Pick(2, 2);  // red
    Pick(3, 4);  // red
    Pick(4, 1);  // gold
    EXPECT_EQ(Result(), " ");
    EXPECT_FALSE(form->Shape1->isVisible());
    Pick(1, 0);  // brown
    EXPECT_EQ(form->Shape1->fill(), Rgb(0x800000));
    EXPECT_EQ(Result(), "1,2 кОм.    +/-5%");
    Pick(1, 1);  // red: the same multiplier and tolerance
    EXPECT_EQ(Result(), "2,2 кОм.    +/-5%");
}

struct TypedCase {
    int band;
    const char* typed;
    double code;  // the band's code after it: a text that names no entry keeps the last
};

TEST_F(MainWindow, TypedTextSelectsTheEntryItNamesInAnyCaseWithEForYoAndBlanksAround) {
    QSignalSpy evaluations(form->Button2, &QPushButton::clicked);
    Type(3, QStringLiteral("xyz"));
    EXPECT_EQ(evaluations.count(), 3);  // once for each character
    EXPECT_EQ(form->bandValues()[2], BandUnset);
    EXPECT_TRUE(form->Shape3->isVisible());
    EXPECT_EQ(form->Shape3->fill(), Rgb(0xFFFFFF));  // never picked: its own colour
    EXPECT_EQ(form->ComboBox3->count(), 12);         // typing adds nothing

    const TypedCase cases[] = {
        {2, "Красный", 2},     {2, "Красныйx", 2},    {2, "красный", 2},  {2, "Жёлтый", 4},  // list 2: "Желтый"
        {2, "ЧЁРНЫЙ", 0},      {1, "Белый", 9},       {1, " коричневый ", 1},                 // list 1: "Белый "
        {1, "желтый", 4},      {1, "жел", 4},         {3, "Чёрный", 0},   {3, "белый", 9},    // list 3: "Черный"
        {4, "  Золотистый", -1}, {4, "Золотистый.", -1}, {4, "чёрный", 0},
    };
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "list " << c.band << " '" << c.typed << "'");
        ClearText(c.band);
        Type(c.band, QString::fromUtf8(c.typed));
        EXPECT_EQ(form->bandValues()[c.band - 1], c.code);
        EXPECT_EQ(lists[c.band - 1]->currentText(), QString::fromUtf8(c.typed));  // the text stays as typed
    }
    EXPECT_EQ(form->Shape4->fill(), Rgb(0x000000));

    ClearText(1);
    Type(1, QStringLiteral("Белый "));
    ClearText(3);
    Pick(3, 2);
    Pick(4, 1);
    EXPECT_EQ(Result(), "90 Ом. +/-5%");
    evaluations.clear();
    ClearText(1);
    EXPECT_EQ(evaluations.count(), 1);
    EXPECT_EQ(form->bandValues()[0], 9);
    EXPECT_EQ(Result(), "90 Ом. +/-5%");
}

struct StepCase {
    int picked;     // position picked before typing
    const char* typed;
    Qt::Key key;
    const char* expected;  // the text after the key
};

TEST_F(MainWindow, ArrowKeysMoveOnFromTheEntryTheTextNames) {
    const StepCase cases[] = {
        {5, "Серый", Qt::Key_Down, "Белый "},      {5, "Серый", Qt::Key_Up, "Фиолетовый"},
        {5, "xyz", Qt::Key_Down, "Коричневый"},    {0, "xyz", Qt::Key_Down, "Коричневый"},
        {5, "xyz", Qt::Key_Up, "xyz"},             {8, "Красный", Qt::Key_PageDown, "Оранжевый"},
        {5, "Белый ", Qt::Key_Down, "Белый "},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.typed << " " << c.key);
        Pick(1, c.picked);
        ClearText(1);
        Type(1, QString::fromUtf8(c.typed));
        QSignalSpy evaluations(form->Button2, &QPushButton::clicked);
        QTest::keyClick(form->ComboBox1, c.key);
        const QString expected = QString::fromUtf8(c.expected);
        EXPECT_EQ(form->ComboBox1->currentText(), expected);
        EXPECT_EQ(evaluations.count(), expected == QString::fromUtf8(c.typed) ? 0 : 1);
    }
}

TEST_F(MainWindow, SwitchingModesRecomputesAndKeepsTheFifthPick) {
    Pick(1, 3);  // yellow
    Pick(2, 7);  // violet
    Pick(3, 4);  // red
    Pick(4, 1);  // gold
    EXPECT_EQ(Result(), "4,7 кОм.    +/-5%");

    QTest::mouseClick(form->RadioButton1, Qt::LeftButton);
    EXPECT_TRUE(form->RadioButton1->isChecked());
    EXPECT_TRUE(form->Label5->isEnabled());
    EXPECT_TRUE(form->ComboBox5->isEnabled());
    EXPECT_FALSE(form->Shape5->isVisible());
    EXPECT_EQ(Result(), "4,7 кОм.    +/-5%");  // band 5 unset: no change

    Pick(5, 2);  // brown
    EXPECT_TRUE(form->Shape5->isVisible());
    EXPECT_EQ(Result(), "47,2 Ом. +/-1%");

    QTest::mouseClick(form->RadioButton2, Qt::LeftButton);
    EXPECT_FALSE(form->Label5->isEnabled());
    EXPECT_FALSE(form->ComboBox5->isEnabled());
    EXPECT_FALSE(form->Shape5->isVisible());
    EXPECT_EQ(Result(), "4,7 кОм.    +/-5%");

    QTest::mouseClick(form->RadioButton1, Qt::LeftButton);
    EXPECT_TRUE(form->Shape5->isVisible());
    EXPECT_EQ(form->Shape5->fill(), Rgb(0x800000));
    EXPECT_EQ(Result(), "47,2 Ом. +/-1%");

    QSignalSpy evaluations(form->Button2, &QPushButton::clicked);
    QTest::mouseClick(form->RadioButton1, Qt::LeftButton);  // already checked
    EXPECT_EQ(evaluations.count(), 0);
    EXPECT_TRUE(form->RadioButton1->isChecked());
}

TEST_F(MainWindow, BlackThirdOfFiveBandsShowsItsValue) {
    QTest::mouseClick(form->RadioButton1, Qt::LeftButton);
    Pick(1, 0);  // brown
    Pick(2, 0);  // black
    Pick(3, 2);  // black
    Pick(4, 3);  // brown
    Pick(5, 2);  // brown
    EXPECT_EQ(Result(), "1 кОм.    +/-1%");
}

std::vector<QWidget*> TabRound(QWidget* start) {
    std::vector<QWidget*> visited;
    start->setFocus(Qt::OtherFocusReason);
    for (int i = 0; i < 10; ++i) {
        visited.push_back(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == start) break;
    }
    return visited;
}

TEST_F(MainWindow, TabVisitsTheListsTheCheckedModeAndTheAboutButton) {
    EXPECT_EQ(TabRound(form->ComboBox1),
              (std::vector<QWidget*>{form->ComboBox1, form->ComboBox2, form->ComboBox3, form->ComboBox4,
                                     form->RadioButton2, form->Button1}));
    QTest::mouseClick(form->RadioButton1, Qt::LeftButton);
    EXPECT_EQ(TabRound(form->ComboBox1),
              (std::vector<QWidget*>{form->ComboBox1, form->ComboBox2, form->ComboBox3, form->ComboBox4,
                                     form->ComboBox5, form->RadioButton1, form->Button1}));
}

TEST_F(MainWindow, ArrowKeysSwitchTheModeWithinTheGroup) {
    // Down or Right to five bands, Up or Left back to four.
    for (const auto& [forward, back] : {std::pair{Qt::Key_Down, Qt::Key_Up}, {Qt::Key_Right, Qt::Key_Left}}) {
        form->RadioButton2->setFocus(Qt::TabFocusReason);
        QTest::keyClick(form->RadioButton2, forward);
        EXPECT_TRUE(form->RadioButton1->isChecked()) << forward;
        EXPECT_EQ(QApplication::focusWidget(), form->RadioButton1);
        EXPECT_TRUE(form->ComboBox5->isEnabled());
        QTest::keyClick(form->RadioButton1, back);
        EXPECT_TRUE(form->RadioButton2->isChecked()) << back;
        EXPECT_FALSE(form->ComboBox5->isEnabled());
    }
}

TEST_F(MainWindow, ResultUsesTheSeparatorOfTheLocaleAsItChanges) {
    qputenv("LC_ALL", "ru_RU.UTF-8");
    QEvent localeChange(QEvent::LocaleChange);
    QApplication::sendEvent(qApp, &localeChange);
    EXPECT_EQ(velto::DecimalSeparator(), ',') << "ru_RU.UTF-8 must be installed";
    Pick(1, 3);
    Pick(2, 7);
    Pick(3, 4);
    Pick(4, 1);
    EXPECT_EQ(Result(), "4,7 кОм.    +/-5%");

    qputenv("LC_ALL", "C");
    QApplication::sendEvent(qApp, &localeChange);
    EXPECT_EQ(Result(), "4,7 кОм.    +/-5%");  // the text on display keeps its comma
    Pick(4, 8);                               // blue
    EXPECT_EQ(Result(), "4.7 кОм.    +/-0.25%");
    qunsetenv("LC_ALL");
}

// Pixels of the window as painted, at the device pixel ratio of this run.
class Painted : public MainWindow {
protected:
    QColor At(int x, int y) {
        const double ratio = image.devicePixelRatio();
        return image.pixelColor(static_cast<int>(std::floor((x + 0.5) * ratio)),
                                static_cast<int>(std::floor((y + 0.5) * ratio)));
    }
    void Grab() { image = form->grab().toImage(); }
    QImage image;
};

TEST_F(Painted, StripesLieOnThePictureInTheirColours) {
    const QImage picture(QStringLiteral(":/resistor.png"));
    ASSERT_EQ(picture.size(), QSize(192, 57));
    Grab();
    const bool exact = image.devicePixelRatio() == 1.0;
    // Nothing picked: the picture alone, its last column the window's colour.
    for (int y = 0; y < 57; ++y) {
        for (int x = 0; x < 192; ++x) {
            if (exact || (x % 8 == 4 && y % 8 == 4)) {
                ASSERT_EQ(At(16 + x, 136 + y), picture.pixelColor(x, y)) << x << "," << y;
            }
        }
        EXPECT_EQ(At(16 + 192, 136 + y), System(*form, QPalette::Window));
    }
    EXPECT_EQ(picture.pixelColor(0, 0), Rgb(0x515860));
    EXPECT_EQ(picture.pixelColor(5, 27), Rgb(0xB5B5B5));

    QTest::mouseClick(form->RadioButton1, Qt::LeftButton);
    const int positions[] = {0, 0, 7, 1, 6};  // brown, black, green, gold, violet
    for (int band = 1; band <= 5; ++band) Pick(band, positions[band - 1]);
    Grab();
    const int columns[] = {48, 72, 88, 104, 120};
    for (int band = 1; band <= 5; ++band) {
        SCOPED_TRACE(band);
        const QColor colour = Rgb(velto::LookUpPick(band, positions[band - 1])->stripe);
        const int left = 16 + columns[band - 1];
        for (int y = 16; y <= 39; y += exact ? 1 : 5) {
            for (int x = 0; x < 8; ++x) ASSERT_EQ(At(left + x, 136 + y), colour) << x << "," << y;
        }
        // Just outside the block: the picture again.
        EXPECT_EQ(At(left + 8, 136 + 20), picture.pixelColor(columns[band - 1] + 8, 20));
        EXPECT_EQ(At(left, 136 + 15), picture.pixelColor(columns[band - 1], 15));
        EXPECT_EQ(At(left, 136 + 40), picture.pixelColor(columns[band - 1], 40));
    }
}

TEST_F(Painted, ResultPanelIsNavyWithARaisedEdge) {
    Grab();
    const QColor navy = Rgb(0x000080);
    for (int y : {121, 150, 191})
        for (int x : {233, 240, 340, 447}) EXPECT_EQ(At(x, y), navy) << x << "," << y;
    EXPECT_EQ(At(232, 150), System(*form, QPalette::Light));
    EXPECT_EQ(At(340, 120), System(*form, QPalette::Light));
    EXPECT_EQ(At(448, 150), System(*form, QPalette::Dark));
    EXPECT_EQ(At(340, 192), System(*form, QPalette::Dark));
}

// The disabled caption is engraved in the bevels' colours, not the paler disabled ones.
TEST_F(Painted, DisabledCaptionIsEngravedInTheBevelColours) {
    Grab();
    int darkest = 255;
    bool highlight = false;
    for (int y = 16; y < 29; ++y) {
        for (int x = 368; x < 414; ++x) {
            darkest = std::min(darkest, qGray(At(x, y).rgb()));
            highlight = highlight || At(x, y) == System(*form, QPalette::Light);
        }
    }
    EXPECT_NEAR(darkest, qGray(System(*form, QPalette::Dark).rgb()), 8);  // the disabled grey is 32 paler
    EXPECT_TRUE(highlight);
}

// The most a pixel of `box` (in logical pixels) contrasts with the background at `at`.
double TextContrast(const QImage& image, const QRect& box, QPoint at) {
    const double ratio = image.devicePixelRatio();
    const auto pixel = [&](int x, int y) { return image.pixelColor(QPoint(x, y)); };
    const QColor background = pixel(static_cast<int>(at.x() * ratio), static_cast<int>(at.y() * ratio));
    double most = 1;
    for (int y = static_cast<int>(box.top() * ratio); y < static_cast<int>((box.bottom() + 1) * ratio); ++y)
        for (int x = static_cast<int>(box.left() * ratio); x < static_cast<int>((box.right() + 1) * ratio); ++x)
            most = std::max(most, velto::Contrast(pixel(x, y), background));
    return most;
}

// Under the default palette, qt6ct's "darker" scheme and white on black, list 1's text,
// the captions, the OK text and the about window's texts in the scheme's colour read on
// what they are drawn on (4.5:1 or more).
TEST_F(Painted, TextsReadUnderEveryColourScheme) {
    const QPalette original = QApplication::palette();
    QPalette darker(Rgb(0xFFFFFF), Rgb(0x424245), Rgb(0x979797), Rgb(0x302F2E), Rgb(0x4A4947), Rgb(0xFFFFFF),
                    Rgb(0xFFFFFF), Rgb(0x3D3D3D), Rgb(0x222020));
    darker.setColor(QPalette::ButtonText, Rgb(0xFFFFFF));
    darker.setColor(QPalette::Highlight, Rgb(0x12608A));
    darker.setColor(QPalette::HighlightedText, Rgb(0xF9F9F9));
    QPalette whiteOnBlack(Rgb(0xFFFFFF), Rgb(0x000000), Rgb(0x808080), Rgb(0x808080), Rgb(0x808080), Rgb(0xFFFFFF),
                          Rgb(0xFFFFFF), Rgb(0x000000), Rgb(0x000000));
    whiteOnBlack.setColor(QPalette::ButtonText, Rgb(0xFFFFFF));
    whiteOnBlack.setColor(QPalette::Highlight, Rgb(0x00FFFF));
    whiteOnBlack.setColor(QPalette::HighlightedText, Rgb(0x000000));

    TForm2 about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    Pick(1, 1);  // "Красный", which leaves the end of the text part empty
    form->ComboBox1->lineEdit()->deselect();
    form->ComboBox2->setFocus();
    QWidget* ok = about.BitBtn1;
    const int okText = ok->fontMetrics().horizontalAdvance(QStringLiteral("OK"));
    const int okLeft = (ok->width() - (18 + 4 + okText)) / 2 + 18 + 4;

    for (const auto& [name, scheme] : {std::pair{"default", original}, {"darker", darker}, {"white on black", whiteOnBlack}}) {
        SCOPED_TRACE(name);
        QApplication::setPalette(scheme);
        // The windows hear of it through the event loop, and take their colours again on
        // its next turn, once the change is over.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        Grab();
        EXPECT_GE(TextContrast(image, {20, 35, 40, 15}, {72, 42}), 4.5) << "list 1";
        EXPECT_GE(TextContrast(image, {16, 16, 40, 13}, {60, 18}), 4.5) << "caption";
        const QImage button = ok->grab().toImage();
        EXPECT_GE(TextContrast(button, {okLeft, 4, okText, 17}, {okLeft + okText + 8, ok->height() / 2}), 4.5) << "OK";
        for (QLabel* text : {static_cast<QLabel*>(about.Label3), static_cast<QLabel*>(about.Label4)})
            EXPECT_GE(TextContrast(text->grab().toImage(), text->rect(), {0, 0}), 4.5) << text->text().toStdString();
    }
    QApplication::setPalette(original);
    QCoreApplication::processEvents();
}

// With Qt's scaling, the captions, every entry of every list and every result still
// fit their boxes.
TEST_F(MainWindow, TextsFitTheirBoxes) {
    // An entry is whole when, with the cursor at either end, both its ends are in view.
    const auto inView = [](QLineEdit* edit, int cursor, int x) {
        edit->setCursorPosition(cursor);
        edit->repaint();  // the line edit scrolls as it paints
        return edit->cursorPositionAt({x, edit->height() / 2});
    };
    for (velto::BandList* list : lists) {
        list->setEnabled(true);
        QLineEdit* edit = list->lineEdit();
        for (int i = 0; i < list->count(); ++i) {
            list->setCurrentIndex(i);
            const auto length = edit->text().size();
            EXPECT_EQ(inView(edit, static_cast<int>(length), 1), 0) << edit->text().toStdString();
            EXPECT_EQ(inView(edit, 0, edit->width() - 1), length) << edit->text().toStdString();
        }
    }
    for (QWidget* label : {static_cast<QWidget*>(form->Label1), static_cast<QWidget*>(form->Label5)}) {
        const auto* text = static_cast<velto::Label*>(label);
        EXPECT_LE(text->fontMetrics().horizontalAdvance(text->text()), text->width());
        EXPECT_LE(text->fontMetrics().height(), text->height() + 1);
    }
    // Every message reads whole in the panel in the face the machine gives, where the run
    // takes away the faces whose names hold the one it names.
    if (const char* taken = std::getenv("VELTO_FACES_TAKEN_AWAY")) {
        const QString family = QFontInfo(form->rez->font()).family();
        EXPECT_FALSE(family.contains(QString::fromUtf8(taken))) << family.toStdString();
    }
    const int flags = Qt::TextWordWrap | Qt::AlignHCenter;
    const velto::BandValues markings[] = {
        {9, 9, 9, 8, BandUnset}, {0, 0, 0, 3, BandUnset}, {2, 2, 2, 4, BandUnset}, {2, 2, 2, 9, BandUnset}};
    std::vector<QString> texts;
    for (const auto& bands : markings)
        texts.push_back(QString::fromStdString(*velto::EvaluateBands(velto::BandMode::FourBand, bands)));
    texts.push_back(QString::fromStdString(*velto::EvaluateBands(velto::BandMode::FiveBand, {1, 1, -2, 1, 1})));
    texts.push_back(QString::fromStdString(*velto::EvaluateBands(velto::BandMode::FiveBand, {9, 9, 9, 9, 8})));
    texts.push_back(QString::fromStdString(*velto::EvaluateBands(velto::BandMode::FiveBand, {1, 0, 1, -2, 8})));
    for (const QString& text : texts) {
        form->rez->setText(text);
        const QRect needed = QFontMetrics(form->rez->font()).boundingRect(QRect(0, 0, 201, 57), flags, text);
        EXPECT_LE(needed.height(), 57) << text.toStdString();
        EXPECT_LE(needed.width(), 201) << text.toStdString();
    }
}

}  // namespace
