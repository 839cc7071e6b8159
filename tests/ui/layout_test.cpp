// The window as built: every rectangle, the stacking, the labels' looks, focus and menu.
#include "client_area.h"
#include "game_menu_bar.h"
#include "graphical_button.h"
#include "image_control.h"
#include "map_box.h"
#include "test_form.h"

#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

using namespace brindora;
using namespace brindora::testing;

namespace {

// Pixel rectangles as the window's layout gives them; inMap: relative to the map's client area.
struct Place {
    const char* name;
    int index;
    QRect pixels;
    bool inMap;
};

const Place kPlaces[] = {
    {"Command2", -1, {624, 0, 177, 185}, false},  {"Command3", -1, {624, 344, 177, 42}, false},
    {"Picture2", -1, {0, 0, 623, 543}, false},    {"Label86", -1, {640, 88, 161, 81}, false},
    {"Label85", -1, {656, 40, 169, 49}, false},   {"Label74", -1, {632, 0, 161, 49}, false},
    {"lblpunti", -1, {664, 256, 105, 81}, false}, {"Label45", -1, {648, 192, 145, 57}, false},
    {"Label44", -1, {648, 384, 161, 49}, false},  {"lblerrori", -1, {704, 448, 57, 49}, false},
    {"Image1", 0, {0, -8, 864, 191}, false},      {"Image1", 2, {0, 360, 864, 191}, false},
    {"Image1", 1, {0, 168, 864, 191}, false},     {"Label42", -1, {8, 0, 81, 25}, true},
    {"Label43", -1, {72, 0, 129, 25}, true},
};

QWidget* element(const Form1& form, const char* name, int index) {
    if (index >= 0)
        return form.client()->image1(index);
    return form.client()->findChild<QWidget*>(QLatin1String(name));
}

class LayoutTest : public ::testing::Test {
protected:
    Form1 form{testOptions()};
    void SetUp() override {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
};

TEST_F(LayoutTest, EveryElementLiesWhereTheLayoutSays) {
    const QPoint mapOrigin = form.client()->picture2()->clientRect().topLeft();
    for (const Place& place : kPlaces) {
        SCOPED_TRACE(std::string(place.name) + " " + std::to_string(place.index));
        QWidget* widget = element(form, place.name, place.index);
        ASSERT_NE(widget, nullptr);
        const QRect expected = place.inMap ? place.pixels.translated(mapOrigin) : place.pixels;
        EXPECT_EQ(widget->geometry(), expected);
        EXPECT_EQ(widget->parentWidget(),
                  place.inMap ? static_cast<QWidget*>(form.client()->picture2()) : form.client());
        EXPECT_TRUE(widget->isVisible());
    }
}

TEST_F(LayoutTest, WindowClientAreaAndMapBox) {
    EXPECT_EQ(form.windowTitle(), QString(44, QLatin1Char(' ')) + QStringLiteral("Ostavella"));
    EXPECT_EQ(form.centralWidget(), form.client());
    EXPECT_EQ(form.client()->size(), QSize(796, 544));
    EXPECT_EQ(form.client()->y(), form.menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(form.size(), QSize(796, form.menuBar()->height() + 544));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    MapBox* map = form.client()->picture2();
    EXPECT_EQ(map->frameWidth(), 2);
    EXPECT_EQ(map->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(map->clientRect(), QRect(2, 2, 619, 539));
}

struct Stack {
    QPoint at; // in the window's client area
    bool command2Shown;
    const char* front;
    int index;
};

const Stack kStacking[] = {
    {{700, 100}, true, "Command2", -1},  {{700, 100}, false, "Label86", -1},
    {{700, 88}, false, "Label86", -1},   {{700, 60}, false, "Label85", -1},
    {{700, 45}, false, "Label85", -1},   {{640, 45}, false, "Label74", -1},
    {{700, 10}, false, "Label74", -1},   {{700, 175}, false, "Image1", 0},
    {{700, 182}, false, "Image1", 0},    {{700, 190}, true, "Image1", 1},
    {{623, 358}, true, "Image1", 1},     {{623, 359}, true, nullptr, -1},
    {{623, 360}, true, "Image1", 2},     {{700, 360}, true, "Command3", -1},
    {{700, 385}, true, "Command3", -1},  {{700, 386}, true, "Label44", -1},
    {{720, 470}, true, "lblerrori", -1}, {{780, 500}, true, "Image1", 2},
    {{700, 200}, true, "Label45", -1},   {{700, 300}, true, "lblpunti", -1},
    {{622, 300}, true, "Picture2", -1},  {{623, 300}, true, "Image1", 1},
    {{300, 300}, true, "Picture2", -1},  {{20, 10}, true, "Label42", -1},
    {{80, 10}, true, "Label43", -1},     {{150, 10}, true, "Label43", -1},
    {{210, 10}, true, "Picture2", -1},
};

TEST_F(LayoutTest, TheElementInFrontTakesThePoint) {
    for (const Stack& s : kStacking) {
        SCOPED_TRACE(QString("(%1, %2) %3").arg(s.at.x()).arg(s.at.y()).arg(s.front).toStdString());
        form.client()->command2()->setVisible(s.command2Shown);
        QWidget* found = form.client()->childAt(s.at);
        if (s.front == nullptr) {
            EXPECT_EQ(found, nullptr); // the window's own background
            continue;
        }
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found, element(form, s.front, s.index)) << found->objectName().toStdString();
    }
}

struct LabelLook {
    const char* name;
    const char* text;
    QRgb colour;
    int fontPixels;
    Qt::Alignment horizontal;
};

const LabelLook kLabels[] = {
    {"Label45", "Esatte", 0x00FF00, 48, Qt::AlignLeft},
    {"lblpunti", "0", 0xFFFF00, 48, Qt::AlignHCenter},
    {"Label44", "Errate", 0xC000C0, 48, Qt::AlignLeft},
    {"lblerrori", "0", 0xC000C0, 48, Qt::AlignLeft},
    {"Label74", "Brindora", 0x00FF00, 37, Qt::AlignHCenter},
    {"Label85", "Europa", 0x00FF00, 37, Qt::AlignLeft},
    {"Label86", "Happy Birthday", 0x00FF00, 37, Qt::AlignHCenter},
    {"Label42", "Stato", 0x0000FF, 24, Qt::AlignLeft},
    {"Label43", "da scoprire:", 0x0000FF, 24, Qt::AlignLeft},
    {"lblreg", "", 0xFF0000, 24, Qt::AlignLeft},
};

TEST_F(LayoutTest, LabelsTextColourFontAndAlignment) {
    for (const LabelLook& look : kLabels) {
        SCOPED_TRACE(look.name);
        auto* label = form.client()->findChild<QLabel*>(QLatin1String(look.name));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(look.text));
        EXPECT_EQ(label->palette().color(label->foregroundRole()).rgb(), 0xFF000000 | look.colour);
        const QFont font = label->font();
        EXPECT_EQ(font.family(), QStringLiteral("Arial"));
        EXPECT_EQ(font.pixelSize(), look.fontPixels);
        EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut() || font.bold());
        EXPECT_EQ(label->alignment(), look.horizontal | Qt::AlignTop);
        EXPECT_FALSE(label->autoFillBackground()); // transparent
        EXPECT_EQ(label->frameShape(), QFrame::NoFrame);
        EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
        EXPECT_FALSE(label->testAttribute(Qt::WA_SetCursor)); // the container's pointer
    }
}

TEST_F(LayoutTest, PanelLabelsWrapAtWordsHeadingsStayOnOneLine) {
    auto* birthday = form.client()->findChild<QLabel*>(QStringLiteral("Label86"));
    EXPECT_TRUE(birthday->wordWrap());
    // "Happy Birthday" is wider than the label: two lines.
    const int lines =
        birthday->heightForWidth(birthday->width()) / birthday->fontMetrics().height();
    EXPECT_EQ(lines, 2);
    EXPECT_FALSE(form.client()->lblreg()->wordWrap());
}

TEST_F(LayoutTest, TabOrderIsCommand3Command2Picture2) {
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ClientArea* c = form.client();
    const std::vector<QWidget*> order{c->command3(), c->command2(), c->picture2(), c->command3()};
    c->command3()->setFocus();
    for (std::size_t i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << i;
    }
    // Nothing else in the client area takes the keyboard focus.
    for (QWidget* w : c->findChildren<QWidget*>()) {
        if (w != c->command2() && w != c->command3() && w != c->picture2()) {
            EXPECT_EQ(w->focusPolicy() & Qt::TabFocus, 0) << w->objectName().toStdString();
        }
    }
}

struct MenuEntry {
    const char* name;
    const char* caption;
    std::vector<const char*> list; // the entries of its drop-down list
};

const MenuEntry kMenu[] = {
    {"istruzioni", "Istruzioni", {}},
    {"scuol", "www.collemarsi.edu.it", {"Collemarsi"}},
    {"Esc", "Per avere un nuovo Stato clicca sul pulsante con l'automobile", {}},
    {"gi", "autore@collemarsi.edu.it", {"Per consigli e per segnalare eventuali errori"}},
    {"voc", "Voce: Velmora", {"Velmora"}},
};

TEST_F(LayoutTest, MenuTitlesAndListsInOrder) {
    const QList<QAction*> titles = form.menu()->actions();
    ASSERT_EQ(titles.size(), static_cast<qsizetype>(std::size(kMenu)));
    for (std::size_t i = 0; i < std::size(kMenu); ++i) {
        SCOPED_TRACE(kMenu[i].name);
        QAction* title = titles[static_cast<int>(i)];
        EXPECT_EQ(title->objectName(), QLatin1String(kMenu[i].name));
        EXPECT_EQ(title->text(), QString::fromUtf8(kMenu[i].caption));
        EXPECT_TRUE(title->isEnabled() && title->isVisible() && !title->isCheckable());
        EXPECT_TRUE(title->shortcut().isEmpty());
        QMenu* list = title->menu();
        ASSERT_EQ(list != nullptr, !kMenu[i].list.empty());
        if (list == nullptr)
            continue;
        ASSERT_EQ(list->actions().size(), static_cast<qsizetype>(kMenu[i].list.size()));
        for (std::size_t j = 0; j < kMenu[i].list.size(); ++j)
            EXPECT_EQ(list->actions()[static_cast<int>(j)]->text(),
                      QString::fromUtf8(kMenu[i].list[j]));
    }
}

} // namespace
