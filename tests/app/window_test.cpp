#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest/QTest>
#include <chrono>
#include <filesystem>
#include <thread>

#include "file_panel_widgets.h"
#include "main_window.h"
#include "pictures/pictures.h"
#include "platform/table.h"
#include "play/clock.h"
#include "play/events.h"
#include "record_list_window.h"
#include "surface.h"
#include "surface_view.h"
#include "temp_dir.h"
#include "view/board_view.h"
#include "view/cursor_view.h"
#include "view/explosion_view.h"
#include "view/marks_view.h"
#include "view/palette.h"
#include "view/preview_view.h"
#include "view/status_view.h"

namespace korvanu {
namespace {

// No sound library in the test's folder: the start-up warning is answered
// as a person would, by pressing OK.
void answerNextMessageBox(QString* seenText) {
  QTimer::singleShot(0, [seenText] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      if (seenText) *seenText = box->text();
      box->accept();
    }
  });
}

// Another window, loaded and shown beside the fixture's: its sound warning
// answered as the fixture's is.
void showLoaded(MainWindow& m) {
  answerNextMessageBox(nullptr);
  m.load();
  m.show();
  QApplication::processEvents();
}

// Answers every message box as it opens, keeping its text, and counts the
// view's paints before each.
struct BoxWatcher : QObject {
  QStringList texts;
  QList<int> paintsBefore;
  int paints = 0;
  QTimer timer;
  explicit BoxWatcher(QWidget& view) {
    view.installEventFilter(this);
    QObject::connect(&timer, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts << box->text();
        paintsBefore << paints;
        box->accept();
      }
    });
    timer.start(1);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

class Window : public ::testing::Test {
protected:
  // The window reads and writes its settings file in the current folder.
  testing::TempDir dir;
  MainWindow w{2};
  QString warning;
  void SetUp() override {
    w.load();
    w.show();
    BoxWatcher boxes(w.view());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.texts.isEmpty(); }, 10000));
    warning = boxes.texts.front();
  }

  // The widget position of a cell's centre, through the scaled picture.
  QPoint at(int x, int y) {
    const QRect r = w.view().surfaceRect();
    const double f = double(r.width()) / (SURFACE_WIDTH * TWIPS_PER_PIXEL);
    return QPoint(r.x() + qRound((cellLeft(x) + SQUARE_WIDTH / 2) * f),
                  r.y() + qRound((cellTop(y) + SQUARE_HEIGHT / 2) * f));
  }

  void click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(&w.view(), button, {}, at(x, y));
  }
  // A new game, its "先手の番です" answered.
  void startGame() {
    answerNextMessageBox(nullptr);
    w.findChild<QAction*>("START")->trigger();
  }

  // The colour of the surface in the middle of a cell.
  QColor centreOf(double x, double y) const {
    const Surface& s = w.surface();
    return s.image().pixelColor(s.toDevice(cellLeft(x) + SQUARE_WIDTH / 2),
                                s.toDevice(cellTop(y) + SQUARE_HEIGHT / 2));
  }
};

TEST_F(Window, CaptionSizeAndTheOneSoundWarning) {
  EXPECT_EQ(w.windowTitle(), "Korvanu");
  EXPECT_EQ(w.width(), 627);
  EXPECT_EQ(w.height(), 533);
  EXPECT_EQ(warning, "Direct Soundインターフェースが作成できません。");
}

// Opening the sound device and decoding the sounds wait for the window's
// first picture; the warning of a missing library still comes, once.
TEST(WindowStart, SoundsStartOnlyOnceTheFirstPictureIsPainted) {
  testing::TempDir dir;
  MainWindow w{2};
  BoxWatcher boxes(w.view());
  w.load();
  QApplication::processEvents();
  EXPECT_TRUE(boxes.texts.isEmpty()) << "nothing of the sound before the window shows";
  w.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.texts.isEmpty(); }, 10000));
  EXPECT_EQ(boxes.texts, QStringList{"Direct Soundインターフェースが作成できません。"});
  EXPECT_GE(boxes.paintsBefore.front(), 1);

  w.resize(700, 600);
  w.view().repaint();
  QTest::qWait(50);
  EXPECT_EQ(boxes.texts.size(), 1) << "later paints start nothing";
}

TEST_F(Window, MenuBarHoldsEveryItemInOrder) {
  QStringList bar;
  for (QAction* a : w.menuBar()->actions()) bar << a->text();
  EXPECT_EQ(bar, (QStringList{"対局", "局面", "戻", "進", "△", "▽", "棋譜", "ｵﾌﾟｼｮﾝ", "その他"}));

  auto captions = [](QMenu* m) {
    QStringList out;
    for (QAction* a : m->actions()) out << a->text();
    return out;
  };
  auto menu = [&](const char* name) { return w.findChild<QMenu*>(name); };
  ASSERT_TRUE(menu("TAIKYOKU") && menu("MATCH_MAN") && menu("START2") && menu("NET") &&
              menu("LEVEL") && menu("STOP") && menu("KIFU") && menu("OPTION") && menu("HAIKEI_GA"));
  EXPECT_EQ(captions(menu("TAIKYOKU")), (QStringList{"対局(人間)", "対局(COM)", "COM対局ﾚﾍﾞﾙ",
                                                     "対局(ネット)", "投了", "終わり"}));
  EXPECT_EQ(captions(menu("MATCH_MAN")), QStringList{"スタート"});
  EXPECT_EQ(captions(menu("START2")), (QStringList{"先手", "後手"}));
  EXPECT_EQ(captions(menu("NET")), (QStringList{"相手を待つ", "相手につなぐ"}));
  EXPECT_EQ(captions(menu("LEVEL")), (QStringList{"LEVEL1", "LEVEL2", "LEVEL3", "LEVEL4"}));
  EXPECT_EQ(captions(menu("STOP")),
            (QStringList{"最初", "反転", "盤面回転", "待った", "ヒント", "棋譜一覧"}));
  EXPECT_EQ(captions(menu("KIFU")), (QStringList{"読込", "書込"}));
  EXPECT_EQ(captions(menu("OPTION")),
            (QStringList{"背景画", "持駒可", "移動指導", "経過時間", "BGM", "キー操作", "言語"}));
  EXPECT_EQ(captions(menu("LANGUAGE")), (QStringList{"日本語", "English", "デスクトップの言語"}));
  EXPECT_EQ(captions(menu("HAIKEI_GA")), (QStringList{"緑", "畳", "竹", "宇宙", "煉瓦"}));

  auto action = [&](const char* name) { return w.findChild<QAction*>(name); };
  EXPECT_TRUE(action("LEVEL3")->isChecked());
  EXPECT_FALSE(action("LEVEL1")->isChecked());
  EXPECT_TRUE(action("MIDORI")->isChecked());
  EXPECT_FALSE(action("TATAMI")->isChecked());
  EXPECT_TRUE(action("KEIKA")->isChecked());
  EXPECT_FALSE(action("MOCHIKOMA")->isChecked());
  EXPECT_TRUE(action("LANG_DESKTOP")->isChecked());
  EXPECT_FALSE(action("LANG_EN")->isChecked());
}

TEST_F(Window, StartingPositionIsPaintedOnTheRightCells) {
  const Rgb green = paletteColour(COLOR_BOARD);
  // Outside the board: the plain green background.
  EXPECT_EQ(centreOf(-2, 5), QColor(green.r, green.g, green.b));
  // An empty square is wood, not green; a square with a piece differs from an empty one.
  const QColor wood = centreOf(5, 5);
  EXPECT_NE(wood, QColor(green.r, green.g, green.b));
  for (int x = 1; x <= 9; ++x) {
    EXPECT_NE(centreOf(x, 7), wood) << "pawn on " << x;
    EXPECT_NE(centreOf(x, 3), wood);
    EXPECT_EQ(centreOf(x, 5), wood);
  }
  // The surface holds exactly the rendered pictures at their cells.
  const Surface& s = w.surface();
  // Inside the invisible outline each square shares with its neighbours.
  auto inner = [&](int x, int y) {
    return s.image().copy(s.toDevice(cellLeft(x)) + 2, s.toDevice(cellTop(y)) + 2, 62, 78);
  };
  const QImage king = inner(5, 9);
  const QImage theirKing = inner(5, 1);
  EXPECT_EQ(king.transformed(QTransform().rotate(180)), theirKing)
      << "the upper king is the lower one turned round";

  // What the window shows is the surface.
  const QImage shown = w.view().grab().toImage();
  EXPECT_EQ(shown.size(), QSize(SURFACE_WIDTH, SURFACE_HEIGHT));
}

TEST_F(Window, PiecesInHandOptionShowsBothStands) {
  const QColor before = centreOf(11, 3);
  w.findChild<QAction*>("MOCHIKOMA")->trigger();
  EXPECT_TRUE(w.findChild<QAction*>("MOCHIKOMA")->isChecked());
  EXPECT_NE(centreOf(11, 3), before);
  EXPECT_EQ(centreOf(11, 3), centreOf(-1, 7)) << "both show an empty slot";
}

TEST_F(Window, CoordinateLabelsStandInLightYellowAroundTheBoard) {
  auto hasYellow = [&](double x, double y) {
    const Surface& s = w.surface();
    const QImage cell =
        s.image().copy(s.toDevice(cellLeft(x)), s.toDevice(cellTop(y)),
                       SQUARE_WIDTH * s.scale() / 15, SQUARE_HEIGHT * s.scale() / 15);
    for (int py = 0; py < cell.height(); ++py)
      for (int px = 0; px < cell.width(); ++px)
        if (cell.pixelColor(px, py) == QColor(255, 255, 0)) return true;
    return false;
  };
  for (int i = 1; i <= 9; ++i) {
    EXPECT_TRUE(hasYellow(i, 0)) << "column " << 10 - i;
    EXPECT_TRUE(hasYellow(10, i)) << "rank " << i;
  }
  EXPECT_FALSE(hasYellow(-2, 5));
}

TEST_F(Window, HandCountsStayInTheirCellsBesideTheirPieces) {
  w.findChild<QAction*>("MOCHIKOMA")->trigger();
  Table& g = w.game();
  描画_手数(g.ui, g, 123, COLOR_WHITE);
  const Surface& s = w.surface();
  const QImage empty = s.image().copy();
  auto inColumns = [&](int x, double first, double count) {
    return x >= s.toDevice(cellLeft(first)) && x < s.toDevice(cellLeft(first + count));
  };
  // Up to 18, the most a side can hold of one kind.
  for (int n : {1, 7, 9, 10, 11, 14, 18}) {
    SCOPED_TRACE(::testing::Message() << "count " << n);
    for (int k = 1; k <= 7; ++k) g.HAND_SITA[k] = g.HAND_UE[k] = n;
    描画_自持盤(g.ui, g);
    描画_敵持盤(g.ui, g);
    // Nothing lands beside the stands: not on the board next to the upper
    // one, not on the move counter next to the lower one.
    int outside = 0;
    for (int y = 0; y < s.image().height(); ++y)
      for (int x = 0; x < s.image().width(); ++x)
        if (!inColumns(x, -1, 2) && !inColumns(x, 11, 2) &&
            s.image().pixel(x, y) != empty.pixel(x, y))
          ++outside;
    EXPECT_EQ(outside, 0);
    // In its cell a count, shadow included, stands nearer its own piece on
    // the left than whatever comes on the right, so it reads as that piece's.
    for (auto [column, row] :
         {std::pair{12.0, 3.0}, std::pair{12.0, 9.0}, std::pair{0.0, 7.0}, std::pair{0.0, 1.0}}) {
      SCOPED_TRACE(::testing::Message() << "cell " << column << "," << row);
      const int left = s.toDevice(cellLeft(column)), right = s.toDevice(cellLeft(column + 1));
      int first = right, last = left - 1;
      for (int y = s.toDevice(cellTop(row)); y < s.toDevice(cellTop(row + 1)); ++y)
        for (int x = left; x < right; ++x)
          if (s.image().pixel(x, y) != empty.pixel(x, y))
            first = std::min(first, x), last = std::max(last, x);
      ASSERT_LE(first, last) << "the count shows";
      EXPECT_GE(right - 1 - last, first - left);
    }
  }
}

TEST_F(Window, TitleCornersShowEveryBackground) {
  Table& g = w.game();
  const Surface& s = w.surface();
  const QRect title(s.toDevice(cellLeft(10.8)), s.toDevice(cellTop(0)), 173 * s.scale(),
                    39 * s.scale());
  for (const char* background : {"TATAMI", "TAKE", "UCHU", "RENGA", "MIDORI"}) {
    SCOPED_TRACE(background);
    w.findChild<QAction*>(background)->trigger();
    const QImage withTitle = s.image().copy(title);
    描画_背景(g.ui, g.BACKGROUND);
    const QImage without = s.image().copy(title);
    // The outermost pixel of each corner is the background's own; the
    // middle of the plate is not.
    for (QPoint corner : {QPoint(0, 0), QPoint(title.width() - 1, 0), QPoint(0, title.height() - 1),
                          QPoint(title.width() - 1, title.height() - 1)})
      EXPECT_EQ(withTitle.pixelColor(corner), without.pixelColor(corner))
          << corner.x() << "," << corner.y();
    EXPECT_NE(withTitle.pixelColor(title.width() / 2, title.height() / 2),
              without.pixelColor(title.width() / 2, title.height() / 2));
  }
}

TEST_F(Window, FilePanelListsAndFieldsArePaleYellow) {
  w.findChild<QAction*>("KIFU_WRITE")->trigger();
  QApplication::processEvents();
  FilePanel& panel = w.filePanel();
  auto paleShare = [](QWidget* widget) {
    const QImage image = widget->grab().toImage();
    int pale = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        pale += image.pixelColor(x, y) == QColor(255, 255, 192);
    return double(pale) / (image.width() * image.height());
  };
  const std::vector<QWidget*> widgets{panel.drives(), panel.folders(), panel.text(1),
                                      panel.text(2)};
  for (QWidget* widget : widgets) {
    ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
    // Apart from its frame, text and the drive list's arrow.
    EXPECT_GT(paleShare(widget), 0.5) << widget->objectName().toStdString();
  }
  // The drive list's open list too, its chosen drive marked in the
  // highlight colour rather than in white on yellow.
  panel.drives()->showPopup();
  QApplication::processEvents();
  QAbstractItemView* open = panel.drives()->view();
  ASSERT_TRUE(open->isVisible());
  EXPECT_GT(paleShare(open), 0.2);
  const QImage openImage = open->grab().toImage();
  const QColor highlight = open->palette().color(QPalette::Highlight);
  const QRect chosen =
      open->visualRect(panel.drives()->model()->index(panel.drives()->currentIndex(), 0));
  const QColor mark = openImage.pixelColor(chosen.right() - 2, chosen.center().y());
  EXPECT_LE(std::abs(mark.red() - highlight.red()) + std::abs(mark.green() - highlight.green()) +
                std::abs(mark.blue() - highlight.blue()),
            12);
  panel.drives()->hidePopup();
}

TEST_F(Window, EscInThePanelClosesItAndEndsTheProgramOtherwise) {
  Table& g = w.game();
  FilePanel& panel = w.filePanel();
  // The sound's warning came once the window showed; the window is active again.
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  // A person typing a name, then Esc in the field, then in the other controls.
  w.findChild<QAction*>("KIFU_WRITE")->trigger();
  QApplication::processEvents();
  panel.text(2)->setFocus();
  QTest::keyClicks(panel.text(2), "game");
  QTest::keyClick(panel.text(2), Qt::Key_Escape);
  EXPECT_FALSE(g.QUITTING);
  EXPECT_FALSE(panel.text(2)->isVisible()) << "the panel is closed";
  EXPECT_FALSE(panel.folders()->isVisible());
  EXPECT_TRUE(w.hasFocus()) << "the keys are the window's again";
  const std::vector<QWidget*> others{panel.text(1), panel.drives(), panel.folders(),
                                     panel.returnButton()};
  for (QWidget* widget : others) {
    w.findChild<QAction*>("KIFU_WRITE")->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(widget->isVisible());
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_Escape);
    EXPECT_FALSE(g.QUITTING) << widget->objectName().toStdString();
    EXPECT_FALSE(widget->isVisible()) << widget->objectName().toStdString();
  }

  // Esc on the window itself still ends the program.
  w.setFocus();
  QTest::keyClick(&w, Qt::Key_Escape);
  EXPECT_TRUE(g.QUITTING);
}

TEST_F(Window, MenusShowTheirKeys) {
  auto action = [&](const char* name) { return w.findChild<QAction*>(name); };
  EXPECT_EQ(action("CANCEL")->shortcut(), QKeySequence(Qt::Key_Home));
  EXPECT_EQ(action("KIFU_READ")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_EQ(action("KIFU_WRITE")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
  EXPECT_TRUE(action("REVERSE")->shortcut().isEmpty());

  // The open 局面 menu prints Home at the right of 最初, nothing beside 反転.
  auto* stop = w.findChild<QMenu*>("STOP");
  stop->popup(w.mapToGlobal(QPoint(40, 20)));
  QApplication::processEvents();
  const QImage menu = stop->grab().toImage();
  stop->hide();
  auto inkOnTheRight = [&](QAction* a) {
    const QRect row = stop->actionGeometry(a);
    const QColor paper = menu.pixelColor(row.right() - 2, row.top() + 1);
    int ink = 0;
    for (int y = row.top() + 2; y < row.bottom() - 1; ++y)
      for (int x = row.left() + row.width() * 2 / 3; x < row.right() - 2; ++x)
        ink += menu.pixelColor(x, y) != paper;
    return ink;
  };
  EXPECT_GT(inkOnTheRight(action("CANCEL")), 20);
  EXPECT_EQ(inkOnTheRight(action("REVERSE")), 0);
}

// The keyboard on the real window: a move with the cursor, the mouse taking
// over, the record keys, and the panel's keys.
TEST_F(Window, KeysReachTheGame) {
  Table& g = w.game();
  // Menu keys reach the active window; a message box takes that from it.
  auto activate = [&] {
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
  };
  startGame();
  ASSERT_TRUE(activate());

  QTest::keyClick(&w, Qt::Key_Return);
  ASSERT_TRUE(g.CURSOR_SHOWN);
  // Right, right, down, down: from the middle to the pawn on (7, 7).
  for (Qt::Key k : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down})
    QTest::keyClick(&w, k);
  QTest::keyClick(&w, Qt::Key_Space);
  QTest::keyClick(&w, Qt::Key_Up);
  QTest::keyClick(&w, Qt::Key_Enter);
  EXPECT_EQ(g.BOARD[7][6], CODE_SITA_HU);
  EXPECT_EQ(g.BOARD[7][7], EMPTY);
  // The cursor is drawn over the picture in its own colour, inside the cell.
  QApplication::processEvents();
  const QImage shown = w.view().grab().toImage();
  const QRect cell(qRound(cellLeft(7) / TWIPS_PER_PIXEL), qRound(cellTop(6) / TWIPS_PER_PIXEL),
                   SQUARE_WIDTH / TWIPS_PER_PIXEL, SQUARE_HEIGHT / TWIPS_PER_PIXEL);
  const Rgb cyan = paletteColour(COLOR_CURSOR);
  int marks = 0;
  for (int y = cell.top(); y <= cell.bottom(); ++y)
    for (int x = cell.left(); x <= cell.right(); ++x)
      marks += shown.pixelColor(x, y) == QColor(cyan.r, cyan.g, cyan.b);
  EXPECT_GT(marks, 20);
  // Nothing of it on the surface itself: the game's picture stays as it is.
  const Surface& surface = w.surface();
  int onSurface = 0;
  for (int y = surface.toDevice(cellTop(6)); y < surface.toDevice(cellTop(7)); ++y)
    for (int x = surface.toDevice(cellLeft(7)); x < surface.toDevice(cellLeft(8)); ++x)
      onSurface += surface.image().pixelColor(x, y) == QColor(cyan.r, cyan.g, cyan.b);
  EXPECT_EQ(onSurface, 0);

  // The mouse takes over: the cursor goes, and ← steps back.
  const QRect r = w.view().surfaceRect();
  QTest::mouseClick(&w.view(), Qt::LeftButton, {}, r.topLeft() + QPoint(5, 5));
  EXPECT_FALSE(g.CURSOR_SHOWN);
  EXPECT_TRUE(w.view().cursorMark().isEmpty());
  QTest::keyClick(&w, Qt::Key_Left);
  EXPECT_EQ(g.BOARD[7][7], CODE_SITA_HU);
  QTest::keyClick(&w, Qt::Key_Right);
  EXPECT_EQ(g.BOARD[7][6], CODE_SITA_HU);

  // Ctrl+S, a name, Enter: RETURN saves.
  ASSERT_TRUE(activate());
  QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
  FilePanel& panel = w.filePanel();
  ASSERT_TRUE(panel.text(1)->isVisible());
  panel.text(1)->setFocus();
  QTest::keyClicks(panel.text(1), "keys");
  // ↑ in a text field is no move of the cursor.
  QTest::keyClick(panel.text(1), Qt::Key_Up);
  EXPECT_FALSE(g.CURSOR_SHOWN);
  QString saved;
  answerNextMessageBox(&saved);
  QTest::keyClick(panel.text(1), Qt::Key_Return);
  EXPECT_EQ(saved, "棋譜を書き込みました");
  EXPECT_TRUE(QFile::exists(QStringLiteral("keys.棋譜")));
  EXPECT_FALSE(panel.text(1)->isVisible());

  // Ctrl+O, then Enter on the file chosen in the list loads it.
  ASSERT_TRUE(activate());
  QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
  ASSERT_TRUE(panel.files()->isVisible());
  // Beside it, the game kept as it was played.
  const auto found = panel.files()->findItems(QStringLiteral("keys.棋譜"), Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1);
  panel.files()->setFocus();
  panel.files()->setCurrentItem(found.front());
  answerNextMessageBox(nullptr);                                 // " 読み込みました"
  QTimer::singleShot(50, [] { answerNextMessageBox(nullptr); }); // "棋譜を '進 'で進めて下さい"
  QTest::keyClick(panel.files(), Qt::Key_Return);
  EXPECT_EQ(g.RECORD_MODE, ON);
  ASSERT_TRUE(activate());
  QTest::keyClick(&w, Qt::Key_Right);
  EXPECT_EQ(g.BOARD[7][6], CODE_SITA_HU) << "the loaded record's first move";

  // Home: back to the first position, no game; the panel goes as it does
  // when the 局面 menu opens.
  QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
  ASSERT_TRUE(panel.text(1)->isVisible());
  QTest::keyClick(&w, Qt::Key_Home);
  EXPECT_EQ(g.RECORD_MODE, OFF);
  EXPECT_EQ(g.BOARD[7][7], CODE_SITA_HU);
  EXPECT_FALSE(panel.text(1)->isVisible());
}

TEST_F(Window, OutlinesAreCrispAtTheNaturalSizeForEverySurfaceScale) {
  for (int scale : {2, 3, 4}) {
    SCOPED_TRACE(::testing::Message() << "scale " << scale);
    MainWindow other(scale);
    showLoaded(other);
    Table& g = other.game();
    setChecked(g, Menu::MOCHIKOMA, true);
    画面_再描画(g.ui, g);
    const QImage before = other.view().grab().toImage();
    ASSERT_EQ(before.size(), QSize(SURFACE_WIDTH, SURFACE_HEIGHT));
    // A highlight on a board square, guide marks on a hand slot and on the
    // background: over wood and over green alike.
    const std::vector<std::tuple<double, double, int, QColor>> marks{
        {5, 5, COLOR_LIGHT_RED, QColor(255, 0, 0)},
        {11, 4, COLOR_WHITE, QColor(255, 255, 255)},
        {14, 6, COLOR_WHITE, QColor(255, 255, 255)}};
    for (const auto& [x, y, colour, shade] : marks) 描画_桝輪郭(g.ui, g, colour, x, y);
    const QImage after = other.view().grab().toImage();
    for (const auto& [x, y, colour, shade] : marks) {
      SCOPED_TRACE(::testing::Message() << "cell " << x << "," << y);
      // Down the middle of the cell, each horizontal edge changes one row
      // of the window, to the outline's own colour: no blend over two rows.
      const int column = qRound((cellLeft(x) + SQUARE_WIDTH / 2) / TWIPS_PER_PIXEL);
      for (double edge : {cellTop(y), cellTop(y + 1)}) {
        const int row = int(edge / TWIPS_PER_PIXEL);
        std::vector<int> changed;
        for (int r = row - 3; r <= row + 3; ++r)
          if (after.pixelColor(column, r) != before.pixelColor(column, r)) changed.push_back(r);
        EXPECT_EQ(changed.size(), 1u) << "edge near row " << row;
        if (changed.size() == 1) {
          EXPECT_EQ(after.pixelColor(column, changed[0]), shade) << "row " << changed[0];
        }
        // So is the resting green grid between board squares under it.
        if (x >= 1 && x <= 9) {
          int green = 0;
          for (int r = row - 3; r <= row + 3; ++r)
            green += before.pixelColor(column, r) == QColor(0, 128, 0);
          EXPECT_EQ(green, 1) << "grid near row " << row;
        }
      }
    }
  }
}

TEST_F(Window, PiecesShowPixelForPixelAtTheNaturalSizeForEverySurfaceScale) {
  for (int scale : {2, 3, 4}) {
    SCOPED_TRACE(::testing::Message() << "scale " << scale);
    MainWindow other(scale);
    showLoaded(other);
    const QImage shown = other.view().grab().toImage();
    ASSERT_EQ(shown.size(), QSize(SURFACE_WIDTH, SURFACE_HEIGHT));
    // Inside the cell's outline the window shows the picture made for one
    // device pixel per window pixel, not a larger one scaled down: the
    // names keep the strokes their hinting gave them.
    for (auto [x, y] :
         {std::pair{5, 9}, std::pair{2, 8}, std::pair{8, 8}, std::pair{5, 1}, std::pair{1, 7}}) {
      SCOPED_TRACE(::testing::Message() << "cell " << x << "," << y);
      const QImage picture = renderPicture(other.game().BOARD[x][y], 1);
      const int left = int(cellLeft(x) / TWIPS_PER_PIXEL), top = int(cellTop(y) / TWIPS_PER_PIXEL);
      EXPECT_EQ(shown.copy(left + 1, top + 1, 31, 39).convertToFormat(QImage::Format_RGB32),
                picture.copy(1, 1, 31, 39));
    }
  }
}

TEST_F(Window, ClockTimerRunsOnlyWhileTheGameWantsIt) {
  auto* timer = w.findChild<QTimer*>("Timer1");
  Table& g = w.game();
  EXPECT_FALSE(g.TIMER1_ENABLED);
  // No timer at all is active while the window waits for a game.
  for (QTimer* t : w.findChildren<QTimer*>()) EXPECT_FALSE(t->isActive());

  // A running turn: the human's clock shows its time within a tick or two.
  const Surface& s = w.surface();
  auto clockArea = [&] {
    return s.image().copy(s.toDevice(cellLeft(13)), s.toDevice(cellTop(9)),
                          3 * SQUARE_WIDTH * s.scale() / 15, SQUARE_HEIGHT * s.scale() / 15);
  };
  const QImage before = clockArea();
  g.TURN = g.SIDE_MAN;
  g.TURN_START_TIME = g.ui.clockSeconds() - 3723;
  setTimer1(g, true);
  QElapsedTimer spent;
  spent.start();
  while (g.SHOWN_SECOND == 0 && spent.elapsed() < 2000)
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
  EXPECT_GE(g.SHOWN_SECOND, 3723);
  EXPECT_NE(clockArea(), before);

  w.findChild<QAction*>("KEIKA")->trigger();
  EXPECT_FALSE(g.TIMER1_ENABLED);
  for (QTimer* t : w.findChildren<QTimer*>()) EXPECT_FALSE(t->isActive());
  w.findChild<QAction*>("KEIKA")->trigger();
  EXPECT_TRUE(g.TIMER1_ENABLED);
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 50);
}

// Work run aside (level 4 thinking): the clock ticks on screen, a click and a
// menu command reach nothing, and closing the window stops the work and ends
// the program there and then.
TEST_F(Window, WhileWorkRunsAsideTheClockTicksInputWaitsAndClosingEndsIt) {
  Table& g = w.game();
  startGame();
  QApplication::processEvents();
  g.TURN_START_TIME = g.ui.clockSeconds() - 100;
  std::atomic<bool> stopped = false;
  bool heard = false;
  g.ui.startAside(
      [&](const std::atomic<bool>& stop) {
        while (!stop) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        stopped = true;
      },
      [&] { heard = true; });
  click(7, 7);
  w.findChild<QAction*>("LEVEL1")->trigger();
  QTimer::singleShot(300, [&] { w.close(); });
  QElapsedTimer waited;
  waited.start();
  while (!(g.QUITTING && stopped) && waited.elapsed() < 5000)
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_FALSE(heard) << "the work was stopped, not finished";
  EXPECT_TRUE(stopped);
  EXPECT_TRUE(g.QUITTING);
  EXPECT_GE(g.SHOWN_SECOND, 100) << "the clock ticked";
  EXPECT_EQ(g.SELECT_STATE, 0) << "the click picked nothing up";
  EXPECT_EQ(g.COM_LEVEL, 3) << "the command did nothing";
}

// Every piece of work aside runs on the one worker thread, which keeps what
// it has taken (the search's table) for the program's life.
TEST_F(Window, WorkAsideRunsOnOneThreadForTheProgramsLife) {
  Table& g = w.game();
  std::vector<int> runsOnItsThread;
  for (int i = 0; i < 3; ++i) {
    bool done = false;
    g.ui.startAside(
        [&](const std::atomic<bool>&) {
          thread_local int runs = 0;
          runsOnItsThread.push_back(++runs);
        },
        [&] { done = true; });
    QElapsedTimer waited;
    waited.start();
    while (!done && waited.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(done);
  }
  EXPECT_EQ(runsOnItsThread, (std::vector<int>{1, 2, 3}));
}

// A box shown by one event runs Qt's own loop: an event arriving meanwhile (a
// peer's message, a finished think) waits until the event that showed it is
// done, so it never finds the game half-changed.
TEST_F(Window, AnEventArrivingWhileABoxShowsWaitsForTheOneThatShowedIt) {
  Table& g = w.game();
  std::vector<std::string> order;
  QTimer::singleShot(50, [&] { handleEvent(g, [&] { order.push_back("arrived"); }); });
  QTimer::singleShot(200, [] { answerNextMessageBox(nullptr); });
  handleEvent(g, [&] {
    g.ui.messageBox("box", "title", Buttons::Ok, Icon::None);
    order.push_back("after the box");
  });
  EXPECT_EQ(order, (std::vector<std::string>{"after the box", "arrived"}));
}

TEST_F(Window, ExplosionShakesAndPutsTheWindowBack) {
  Table& g = w.game();
  w.move(200, 150);
  QApplication::processEvents();
  const QPoint home = w.pos();
  const QColor wood = centreOf(5, 5);
  // The rules empty the squares; the animation shows them going.
  ExplosionEffects blast;
  blast.squares[0] = {5, 7, g.BOARD[5][7]};
  blast.squares[1] = {8, 8, g.BOARD[8][8]};
  blast.count = 2;
  g.BOARD[5][7] = g.BOARD[8][8] = EMPTY;
  描画_爆発アニメ(g.ui, g.ui, g.ui, g, blast);
  EXPECT_EQ(w.pos(), home);
  EXPECT_EQ(w.view().shake(), QPoint());
  EXPECT_EQ(centreOf(5, 7), wood);
  EXPECT_EQ(centreOf(8, 8), wood);
  EXPECT_NE(centreOf(5, 9), wood) << "the king beside the blast stays";

  // The shake goes by whole pixels, window or drawing, and always comes back.
  const WindowRect r = g.ui.windowRect();
  g.ui.moveWindow(r.left - 40, r.top - 20);
  EXPECT_EQ(w.pos(), home - QPoint(3, 1));
  EXPECT_EQ(w.view().shake(), QPoint());
  g.ui.moveWindow(r.left, r.top);
  EXPECT_EQ(w.pos(), home);

  // A maximised window stays put and its drawing shakes instead.
  w.showMaximized();
  QApplication::processEvents();
  ASSERT_TRUE(w.isMaximized());
  const QPoint maxPos = w.pos();
  const WindowRect m = g.ui.windowRect();
  g.ui.moveWindow(m.left - 40, m.top - 20);
  EXPECT_EQ(w.pos(), maxPos);
  EXPECT_EQ(w.view().shake(), QPoint(-3, -1));
  g.ui.moveWindow(m.left, m.top);
  EXPECT_EQ(w.view().shake(), QPoint());
}

TEST_F(Window, ALastMoveTintBlendsOverTheSquareAndSparesItsOutline) {
  Table& g = w.game();
  const QColor wood = centreOf(5, 5);
  const Surface& s = w.surface();
  auto corner = [&] {
    return s.image().pixelColor(s.toDevice(cellLeft(5)), s.toDevice(cellTop(5)));
  };
  const QColor outline = corner();
  g.MOVE_MARKS.at[5][5] = SquareMark::To;
  描画_盤(g.ui, g);
  // What shows is the wood with the tint's share of its colour over it.
  const QColor tint = QColor::fromRgba(tintOf(SquareMark::To));
  const double a = tint.alphaF();
  const QColor tinted = centreOf(5, 5);
  EXPECT_NEAR(tinted.red(), wood.red() * (1 - a) + tint.red() * a, 2);
  EXPECT_NEAR(tinted.green(), wood.green() * (1 - a) + tint.green() * a, 2);
  EXPECT_NEAR(tinted.blue(), wood.blue() * (1 - a) + tint.blue() * a, 2);
  EXPECT_EQ(corner(), outline);
  // Painted again, the square shows the same: the tint never piles up.
  描画_盤(g.ui, g);
  EXPECT_EQ(centreOf(5, 5), tinted);
  g.MOVE_MARKS = {};
  描画_盤(g.ui, g);
  EXPECT_EQ(centreOf(5, 5), wood);
}

TEST_F(Window, RecordPanelIsMadeWhenFirstNeededToTheWindowsSize) {
  EXPECT_EQ(w.findChild<QLineEdit*>("Text1"), nullptr) << "made at start-up";
  w.resize(627 * 2, 533 * 2);
  QApplication::processEvents();
  w.findChild<QAction*>("KIFU_WRITE")->trigger();
  auto* name = w.findChild<QLineEdit*>("Text1");
  ASSERT_NE(name, nullptr);
  EXPECT_TRUE(name->isVisible());
  EXPECT_TRUE(w.findChild<QListWidget*>("Dir1")->isVisible());
  EXPECT_NEAR(name->width(),
              2295.0 / TWIPS_PER_PIXEL * w.view().surfaceRect().width() / SURFACE_WIDTH, 2);
}

TEST_F(Window, ResizingScalesThePicture) {
  {
    // Made for the screen's density, drawn again at twice it when shown twice
    // as large.
    MainWindow small(1);
    showLoaded(small);
    EXPECT_EQ(small.surface().extraScale(), 0);
    const int bar = small.height() - small.view().height();
    small.resize(SURFACE_WIDTH * 2, SURFACE_HEIGHT * 2 + bar);
    const QImage shown = small.view().grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(small.surface().extraScale(), 2);
    EXPECT_EQ(shown, w.surface().image()) << "not the natural size scaled up";
  }
  w.resize(627 * 2, 533 * 2);
  QApplication::processEvents();
  const QRect r = w.view().surfaceRect();
  EXPECT_NEAR(double(r.width()) / r.height(), double(SURFACE_WIDTH) / SURFACE_HEIGHT, 0.01);
  EXPECT_GT(r.width(), 1100);
  // A point in twips maps back through the scaled picture.
  const QPointF centre = w.view().toTwips(r.center());
  EXPECT_NEAR(centre.x(), SURFACE_WIDTH * 15 / 2.0, 20);
}

TEST_F(Window, ClicksOnAnEnlargedWindowReachTheirSquares) {
  w.resize(627 * 2, 533 * 2);
  QApplication::processEvents();
  startGame();
  QApplication::processEvents();
  click(7, 7);
  click(7, 6);
  EXPECT_EQ(w.game().BOARD[7][6], CODE_SITA_HU);
  EXPECT_EQ(w.game().BOARD[7][7], EMPTY);
  // The second player answers with the right button: no promotion is possible there.
  click(3, 3);
  click(3, 4, Qt::RightButton);
  EXPECT_EQ(w.game().BOARD[3][4], CODE_UE_HU);
}

TEST_F(Window, ControlZTakesTheMoveBackAndClosingKeepsTheGame) {
  startGame();
  QApplication::processEvents();
  auto play = [&](int fx, int fy, int tx, int ty) {
    click(fx, fy);
    click(tx, ty);
  };
  play(7, 7, 7, 6);
  ASSERT_EQ(w.game().MOVE_NO, 1);
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::keyClick(&w, Qt::Key_Z);
  EXPECT_EQ(w.game().MOVE_NO, 1) << "Z alone is no command";
  QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.game().MOVE_NO, 0);
  EXPECT_EQ(w.game().BOARD[7][7], CODE_SITA_HU);
  EXPECT_EQ(centreOf(7, 6), centreOf(5, 5)) << "the square the pawn left is painted empty again";

  play(7, 7, 7, 6);
  w.close();
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "前回の対局.棋譜"));
}

TEST_F(Window, TheMoveListStandsBesideTheWindowAndAClickOnAMoveShowsItsPosition) {
  startGame();
  QApplication::processEvents();
  click(7, 7);
  click(7, 6);
  click(3, 3);
  click(3, 4);
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::keyClick(&w, Qt::Key_L);
  auto* list = w.findChild<RecordListWindow*>("KIFU_LIST_WINDOW");
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(list->isVisible());
  // On the screen, and off the board even where the screen has no room
  // beside the window.
  EXPECT_LE(list->geometry().right(), w.screen()->availableGeometry().right());
  EXPECT_GT(list->x(), w.view().mapToGlobal(at(9, 5)).x() + w.view().surfaceRect().width() / 20);
  QListWidget& rows = list->list();
  ASSERT_EQ(rows.count(), 3);
  EXPECT_EQ(rows.item(2)->background(), list->palette().highlight()) << "the position shown";

  QTest::mouseClick(rows.viewport(), Qt::LeftButton, {},
                    rows.visualItemRect(rows.item(1)).center());
  EXPECT_EQ(w.game().MOVE_NO, 1);
  EXPECT_EQ(w.game().BOARD[3][4], EMPTY);
  EXPECT_EQ(rows.item(1)->background(), list->palette().highlight());
  EXPECT_EQ(rows.item(2)->background(), QBrush()) << "one row marked";

  list->close();
  w.findChild<QAction*>("REPLAY")->trigger();
  EXPECT_FALSE(list->isVisible()) << "closed, it stays closed";
  w.findChild<QAction*>("KIFU_LIST")->trigger();
  EXPECT_TRUE(list->isVisible());
  EXPECT_EQ(rows.item(0)->background(), list->palette().highlight());
}

TEST_F(Window, PointingAPieceAtACaptureShowsItsExplosionUntilThePointerLeaves) {
  startGame();
  w.findChild<QAction*>("SIDOU")->trigger();
  QApplication::processEvents();
  // The pawn opens the bishop's line, the upper king steps beside the
  // pawn the bishop can take, and the bishop is picked up.
  for (QPoint p : {at(3, 7), at(3, 6), at(5, 1), at(6, 2), at(2, 8)})
    QTest::mouseClick(&w.view(), Qt::LeftButton, {}, p);
  ASSERT_EQ(w.game().SELECT_STATE, 1);
  const Surface& s = w.surface();
  auto board = [&] {
    return s.image().copy(s.toDevice(cellLeft(1)), s.toDevice(cellTop(1)),
                          s.toDevice(cellLeft(10)) - s.toDevice(cellLeft(1)),
                          s.toDevice(cellTop(10)) - s.toDevice(cellTop(1)));
  };
  QTest::mouseMove(&w.view(), at(5, 5));
  const QImage before = board();

  QTest::mouseMove(&w.view(), at(7, 3));
  const QImage shown = board();
  ASSERT_NE(shown, before) << "the move reached the game";
  // Only the block round the pawn and the bishop's own square changed.
  const int cw = s.toDevice(cellLeft(2)) - s.toDevice(cellLeft(1)),
            ch = s.toDevice(cellTop(2)) - s.toDevice(cellTop(1));
  // A square's outline is shared with its neighbours: the first pixels of
  // a square are also the last of the one before.
  auto within = [&](int p, int size, int lo, int hi) {
    const int c = 1 + p / size;
    return (c >= lo && c <= hi) || (p % size < s.scale() && c - 1 >= lo && c - 1 <= hi);
  };
  for (int py = 0; py < shown.height(); ++py)
    for (int px = 0; px < shown.width(); ++px) {
      if (shown.pixel(px, py) == before.pixel(px, py)) continue;
      const bool inBlock = within(px, cw, 6, 8) && within(py, ch, 2, 4);
      const bool bishop = within(px, cw, 2, 2) && within(py, ch, 8, 8);
      ASSERT_TRUE(inBlock || bishop) << "changed at " << 1 + px / cw << "," << 1 + py / ch;
    }
  // The king beside the pawn would be lost: a red frame just inside its square.
  const QColor red =
      shown.pixelColor(s.toDevice(cellLeft(6) + 2 * TWIPS_PER_PIXEL) - s.toDevice(cellLeft(1)),
                       s.toDevice(cellTop(2) + SQUARE_HEIGHT / 2) - s.toDevice(cellTop(1)));
  const Rgb king = paletteColour(COLOR_KING_LOST);
  EXPECT_EQ(red, QColor(king.r, king.g, king.b));

  QTest::mouseMove(&w.view(), at(5, 5));
  EXPECT_EQ(board(), before) << "the squares are back as they were";
  QTest::mouseMove(&w.view(), at(7, 3));
  EXPECT_EQ(board(), shown);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&w.view(), &leave);
  EXPECT_EQ(board(), before) << "the pointer left the window";
}

} // namespace
} // namespace korvanu

int main(int argc, char** argv) {
  // The window tests need no screen, and play their sounds into nothing.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
