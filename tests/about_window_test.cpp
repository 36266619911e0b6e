// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Unit2.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <memory>
#include <vector>

#include "app/window_group.h"
#include "ui/Unit1.h"

namespace {

// Takes the addresses the links hand to the desktop, through Qt's own hook.
class UrlCatcher : public QObject {
    Q_OBJECT

public slots:
    void open(const QUrl& url) { urls.push_back(url); }

public:
    std::vector<QUrl> urls;
};

// The two windows as start-up makes them: the main one shown, the about one hidden.
class AboutWindow : public ::testing::Test {
protected:
    void SetUp() override {
        main = std::make_unique<TForm1>();
        Form1 = main.get();
        main->show();
        aboutWindow = std::make_unique<TForm2>();
        about = aboutWindow.get();
        Form2 = about;
        new velto::WindowGroup(main.get(), about);
        ActivateMain();
    }
    void TearDown() override {
        Form2 = nullptr;
        Form1 = nullptr;
    }
    static bool BecomesActive(QWidget* window) {
        return QTest::qWaitFor([window] { return window->isActiveWindow(); });
    }
    void ActivateMain() {
        main->activateWindow();
        ASSERT_TRUE(BecomesActive(main.get()));
    }
    void ShowAbout() {
        QTest::mouseClick(main->Button1, Qt::LeftButton);
        ASSERT_TRUE(BecomesActive(about));
    }

    std::unique_ptr<TForm1> main;
    std::unique_ptr<TForm2> aboutWindow;
    TForm2* about = nullptr;
};

TEST_F(AboutWindow, IsAHiddenWindowThatTheMainWindowMayCover) {
    EXPECT_FALSE(about->isVisible());
    EXPECT_TRUE(about->isWindow());
    EXPECT_EQ(about->windowHandle() ? about->windowHandle()->transientParent() : nullptr, nullptr);
    EXPECT_FALSE(about->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(about->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(about->windowTitle(), "О программе Velto 03");
    EXPECT_EQ(about->objectName(), "Form2");
    // What a screen reader reads as the window opens (from Qt 6.11 on, a hidden window
    // has no accessible name).
    about->show();
    about->hide();
    main->Button1->click();
    QApplication::processEvents();  // the window system's word that it is on screen
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(about);
    EXPECT_EQ(window->role(), QAccessible::Dialog);  // a screen reader reads its title
    EXPECT_EQ(window->text(QAccessible::Name), "О программе Velto 03");
    EXPECT_EQ(window->text(QAccessible::Description), "");  // the description is read once, as its text
}

struct Placement {
    const char* name;
    QRect geometry;
};

TEST_F(AboutWindow, WidgetsAreCreatedInOrderAtTheirPlaces) {
    const Placement layout[] = {
        {"Bevel1", {8, 8, 393, 265}},   {"Bevel2", {16, 16, 377, 217}}, {"Label1", {160, 24, 90, 26}},
        {"Label2", {24, 48, 361, 57}},  {"Label3", {136, 112, 136, 13}}, {"Label4", {112, 168, 185, 41}},
        {"Bevel3", {24, 104, 361, 57}}, {"Label5", {80, 128, 249, 25}}, {"Label6", {144, 208, -1, 13}},
        {"BitBtn1", {80, 240, 249, 25}},
    };
    std::vector<QWidget*> children;
    for (QObject* child : about->widget()->children())
        if (auto* widget = qobject_cast<QWidget*>(child)) children.push_back(widget);
    ASSERT_EQ(children.size(), std::size(layout));
    for (std::size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE(layout[i].name);
        EXPECT_EQ(children[i]->objectName(), layout[i].name);
        if (layout[i].geometry.width() < 0) {  // fits its text
            EXPECT_EQ(children[i]->pos(), layout[i].geometry.topLeft());
            EXPECT_EQ(children[i]->width(), about->Label6->fontMetrics().horizontalAdvance(about->Label6->text()));
        } else {
            EXPECT_EQ(children[i]->geometry(), layout[i].geometry);
        }
    }
    EXPECT_EQ(about->Label2->text().size(), 134);
    EXPECT_EQ(about->Label5->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(about->Label6->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(about->Label5->font().underline());
    EXPECT_EQ(about->widget()->size(), QSize(401, 273));
}

TEST_F(AboutWindow, AboutButtonShowsItActiveWithOkFocused) {
    ShowAbout();

    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->isActiveWindow());
    EXPECT_TRUE(about->BitBtn1->hasFocus());
    EXPECT_EQ(about->frameGeometry().topLeft(), QPoint(312, 194));
    EXPECT_TRUE(about->BitBtn1->isDefault());
    // Tab goes round OK, the web link and the mail link; only a focused link shows a frame.
    const QImage unfocused = about->Label5->grab().toImage();
    for (QWidget* next : {static_cast<QWidget*>(about->Label5), static_cast<QWidget*>(about->Label6),
                          static_cast<QWidget*>(about->BitBtn1)}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
        if (next == about->Label5) {
            EXPECT_NE(about->Label5->grab().toImage(), unfocused);
        }
    }
    EXPECT_EQ(about->Label5->grab().toImage(), unfocused);
}

TEST_F(AboutWindow, EnterAndSpaceClickTheFocusedAboutButton) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        SCOPED_TRACE(key);
        about->hide();
        main->Button1->setFocus(Qt::TabFocusReason);
        QTest::keyClick(main->Button1, key);
        EXPECT_TRUE(about->isVisible());
    }
}

TEST_F(AboutWindow, OkShowsADottedFocusRectangleAsSoonAsItShows) {
    ShowAbout();
    const QImage button = about->BitBtn1->grab().toImage();
    const QColor text = about->BitBtn1->palette().color(QPalette::ButtonText);
    int dots = 0, gaps = 0;
    for (int x = 8; x < 240; ++x) (button.pixelColor(x, 4) == text ? dots : gaps)++;
    EXPECT_GT(dots, 100);
    EXPECT_GT(gaps, 100);
    bool litEdge = false;  // the glyph's bright green, untinted
    for (int y = 0; y < button.height(); ++y)
        for (int x = 0; x < button.width(); ++x) litEdge = litEdge || button.pixelColor(x, y) == QColor(0x00FF00);
    EXPECT_TRUE(litEdge);
}

TEST_F(AboutWindow, AboutButtonLeavesAVisibleAboutWindowAlone) {
    ShowAbout();
    about->move(400, 300);
    ActivateMain();
    QTest::mouseClick(main->Button1, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(main->isActiveWindow());
    EXPECT_FALSE(about->isActiveWindow());
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->pos(), QPoint(400, 300));
}

TEST_F(AboutWindow, EveryWayOfClosingOnlyHidesItAndComesBackWhereItWas) {
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"OK", [&] { QTest::mouseClick(about->BitBtn1, Qt::LeftButton); }},
        {"close button", [&] { about->close(); }},
        {"Enter on OK", [&] { QTest::keyClick(about->BitBtn1, Qt::Key_Return); }},
        {"Enter elsewhere", [&] { QTest::keyClick(about->Label2, Qt::Key_Enter); }},
        {"main window closing", [&] { main->FormClose(); }},
    };
    for (const auto& [name, close] : ways) {
        SCOPED_TRACE(name);
        ShowAbout();
        about->move(340, 220);
        about->resize(300, 200);
        close();
        EXPECT_FALSE(about->isVisible());
        ASSERT_TRUE(BecomesActive(main.get()));
        QTest::mouseClick(main->Button1, Qt::LeftButton);
        EXPECT_TRUE(about->isVisible());
        EXPECT_EQ(about->pos(), QPoint(340, 220));
        EXPECT_EQ(about->size(), QSize(300, 200));
        about->hide();
    }
}

TEST_F(AboutWindow, EscapeDoesNothing) {
    ShowAbout();
    QTest::keyClick(about->BitBtn1, Qt::Key_Escape);
    QTest::keyClick(about, Qt::Key_Escape);
    EXPECT_TRUE(about->isVisible());
}

TEST_F(AboutWindow, ClosingTheMainWindowHidesIt) {
    ShowAbout();
    EXPECT_TRUE(main->close());
    EXPECT_FALSE(about->isVisible());
    EXPECT_FALSE(main->isVisible());
}

TEST_F(AboutWindow, GoesAndComesBackWithTheMinimisedMainWindow) {
    ShowAbout();
    main->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(about->isVisible());
    main->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(about->isVisible());

    about->hide();
    main->setWindowState(Qt::WindowMinimized);
    main->setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(about->isVisible());

    // Minimised on its own by a window manager once on screen: the whole program goes,
    // and comes back with the about window shown normally.
    main->Button1->click();
    QApplication::processEvents();  // the window system's word that it is on screen
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    about->setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(main->isMinimized());
    EXPECT_FALSE(about->isVisible());
    main->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isMinimized());

    // Marked minimised as it is shown, before it was ever on screen (mutter 48 does so
    // while it waits for the window's frame): the program stays.
    about->hide();
    main->Button1->click();
    about->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(main->isMinimized());
    about->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(about->isVisible());
}

TEST_F(AboutWindow, ScrollBarsShowOnlyWhenSmallerThanItsContent) {
    ShowAbout();
    about->resize(401, 273);
    QApplication::processEvents();
    EXPECT_FALSE(about->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(about->verticalScrollBar()->isVisible());
    about->resize(300, 273);
    QApplication::processEvents();
    EXPECT_TRUE(about->horizontalScrollBar()->isVisible());
    about->resize(500, 200);
    QApplication::processEvents();
    EXPECT_FALSE(about->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(about->verticalScrollBar()->isVisible());
}

TEST_F(AboutWindow, LinksHandTheirAddressesToTheDesktop) {
    UrlCatcher catcher;
    for (const char* scheme : {"http", "https", "mailto"}) QDesktopServices::setUrlHandler(scheme, &catcher, "open");
    ShowAbout();
    QTest::mouseClick(about->Label5, Qt::LeftButton);
    QTest::mouseClick(about->Label6, Qt::LeftButton);
    QTest::mouseClick(about->Label3, Qt::LeftButton);  // not a link
    QTest::mouseClick(about->Label6, Qt::LeftButton);  // a double click opens once
    QTest::mouseDClick(about->Label6, Qt::LeftButton);
    for (velto::LinkLabel* link : {about->Label5, about->Label6}) {  // as assistive technology follows it
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(link);
        EXPECT_EQ(accessible->role(), QAccessible::Link);
        EXPECT_EQ(accessible->text(QAccessible::Name), link->text());
        ASSERT_EQ(accessible->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {  // from the keyboard, focused
        about->Label5->setFocus(Qt::TabFocusReason);
        QTest::keyClick(about->Label5, key);
    }
    for (const char* scheme : {"http", "https", "mailto"}) QDesktopServices::unsetUrlHandler(scheme);
    ASSERT_EQ(catcher.urls.size(), 7u);
    EXPECT_EQ(catcher.urls[3], catcher.urls[0]);
    EXPECT_EQ(catcher.urls[4], catcher.urls[1]);
    EXPECT_EQ(catcher.urls[5], catcher.urls[0]);
    EXPECT_EQ(catcher.urls[6], catcher.urls[0]);
    EXPECT_EQ(catcher.urls[0], QUrl::fromUserInput(about->Label5->text()));
    EXPECT_EQ(catcher.urls[0].host(), QUrl::fromUserInput(about->Label5->text()).host());
    EXPECT_EQ(catcher.urls[1], QUrl("mailto:" + about->Label6->text()));
    EXPECT_TRUE(about->isVisible());
}

TEST_F(AboutWindow, ALinkWithNothingToOpenItChangesNothing) {
    ShowAbout();
    const auto windows = QApplication::topLevelWidgets();
    QTest::mouseClick(about->Label5, Qt::LeftButton);
    QTest::mouseClick(about->Label6, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::topLevelWidgets(), windows);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->isActiveWindow());
}

struct MonitorCase {
    const char* what;
    QRect frame, current, target;
    QPoint expected;
};

TEST(AboutWindowPlacement, MovesOntoTheActiveMonitorAndKeepsItsFarEdgesThere) {
    const QRect left(0, 0, 1920, 1080), right(1920, 0, 1280, 1024), above(0, -900, 1440, 900);
    const MonitorCase cases[] = {
        {"same monitor, inside", {312, 194, 415, 313}, left, left, {312, 194}},
        {"same monitor, past the right edge", {1800, 194, 415, 313}, left, left, {1505, 194}},
        {"same monitor, past the bottom", {312, 1000, 415, 313}, left, left, {312, 767}},
        {"same monitor, off the left stays", {-50, -20, 415, 313}, left, left, {-50, -20}},
        {"to the right monitor, same offset", {312, 194, 415, 313}, left, right, {2232, 194}},
        {"to the right monitor, pulled in", {1700, 900, 415, 313}, left, right, {2785, 711}},
        {"to the monitor above", {2232, 194, 415, 313}, right, above, {312, -706}},
    };
    for (const MonitorCase& c : cases) {
        EXPECT_EQ(velto::PlaceOnMonitor(c.frame, c.current, c.target), c.expected) << c.what;
    }
}

TEST(AboutWindowPlacement, AWindowBelongsToTheMonitorOfItsCentreElseTheOneItOverlapsMostElseTheNearest) {
    const QRect left(0, 0, 1920, 1080), right(1920, 0, 640, 480), above(0, -900, 1440, 900);
    const QList<QRect> monitors = {left, right, above};
    const std::pair<QRect, QRect> cases[] = {
        {{312, 194, 415, 313}, left},        {{2000, 100, 415, 313}, right},
        {{1800, 300, 415, 313}, right},      // centre on the right monitor, most of it on the left
        {{2300, 400, 415, 313}, right},      // centre below the right monitor
        {{1700, 1000, 415, 313}, left},      // centre in no monitor, mostly over the left one
        {{2700, 600, 415, 313}, right},      // on none: the nearest
        {{-900, -1300, 415, 313}, above},
    };
    for (const auto& [frame, expected] : cases) EXPECT_EQ(velto::MonitorOf(frame, monitors), expected) << frame.x() << "," << frame.y();
}

}  // namespace

#include "about_window_test.moc"
