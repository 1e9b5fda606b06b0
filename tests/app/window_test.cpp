#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest/QTest>

#include "../core/temp_dir.h"
#include "main_window.h"
#include "play/clock.h"
#include "state/game.h"
#include "surface.h"
#include "surface_view.h"
#include "view/board_view.h"
#include "view/explosion_view.h"
#include "view/marks_view.h"
#include "view/palette.h"

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

class Window : public ::testing::Test {
protected:
  // The window reads and writes its settings file in the current folder.
  testing::TempDir dir;
  MainWindow w{2};
  QString warning;
  void SetUp() override {
    answerNextMessageBox(&warning);
    w.load();
    w.show();
    QApplication::processEvents();
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
  ASSERT_TRUE(menu("TAIKYOKU") && menu("MATCH_MAN") && menu("START2") && menu("LEVEL") &&
              menu("STOP") && menu("KIFU") && menu("OPTION") && menu("HAIKEI_GA"));
  EXPECT_EQ(captions(menu("TAIKYOKU")), (QStringList{"対局(人間)", "対局(COM)", "COM対局ﾚﾍﾞﾙ", "終わり"}));
  EXPECT_EQ(captions(menu("MATCH_MAN")), QStringList{"スタート"});
  EXPECT_EQ(captions(menu("START2")), (QStringList{"先手", "後手"}));
  EXPECT_EQ(captions(menu("LEVEL")), (QStringList{"LEVEL1", "LEVEL2", "LEVEL3"}));
  EXPECT_EQ(captions(menu("STOP")), (QStringList{"最初", "反転"}));
  EXPECT_EQ(captions(menu("KIFU")), (QStringList{"読込", "書込"}));
  EXPECT_EQ(captions(menu("OPTION")), (QStringList{"背景画", "持駒可", "移動指導", "経過時間", "BGM"}));
  EXPECT_EQ(captions(menu("HAIKEI_GA")), (QStringList{"緑", "畳", "竹", "宇宙", "煉瓦"}));

  auto action = [&](const char* name) { return w.findChild<QAction*>(name); };
  EXPECT_TRUE(action("LEVEL3")->isChecked());
  EXPECT_FALSE(action("LEVEL1")->isChecked());
  EXPECT_TRUE(action("MIDORI")->isChecked());
  EXPECT_FALSE(action("TATAMI")->isChecked());
  EXPECT_TRUE(action("KEIKA")->isChecked());
  EXPECT_FALSE(action("MOCHIKOMA")->isChecked());
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
    const QImage cell = s.image().copy(s.toDevice(cellLeft(x)), s.toDevice(cellTop(y)),
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

TEST_F(Window, ClockTimerRunsOnlyWhileTheGameWantsIt) {
  auto* timer = w.findChild<QTimer*>("Timer1");
  Game& g = w.game();
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
  while (g.SHOWN_SECOND == 0 && spent.elapsed() < 2000) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
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

TEST_F(Window, ExplosionShakesAndPutsTheWindowBack) {
  Game& g = w.game();
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
  描画_爆発アニメ(g, blast);
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
  Game& g = w.game();
  const QColor wood = centreOf(5, 5);
  const Surface& s = w.surface();
  auto corner = [&] { return s.image().pixelColor(s.toDevice(cellLeft(5)), s.toDevice(cellTop(5))); };
  const QColor outline = corner();
  g.MOVE_MARKS.at[5][5] = SquareMark::To;
  描画_盤(g);
  // What shows is the wood with the tint's share of its colour over it.
  const QColor tint = QColor::fromRgba(tintOf(SquareMark::To));
  const double a = tint.alphaF();
  const QColor tinted = centreOf(5, 5);
  EXPECT_NEAR(tinted.red(), wood.red() * (1 - a) + tint.red() * a, 2);
  EXPECT_NEAR(tinted.green(), wood.green() * (1 - a) + tint.green() * a, 2);
  EXPECT_NEAR(tinted.blue(), wood.blue() * (1 - a) + tint.blue() * a, 2);
  EXPECT_EQ(corner(), outline);
  // Painted again, the square shows the same: the tint never piles up.
  描画_盤(g);
  EXPECT_EQ(centreOf(5, 5), tinted);
  g.MOVE_MARKS = {};
  描画_盤(g);
  EXPECT_EQ(centreOf(5, 5), wood);
}

TEST_F(Window, ResizingScalesThePicture) {
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
  answerNextMessageBox(nullptr);  // "先手の番です"
  w.findChild<QAction*>("START")->trigger();
  QApplication::processEvents();
  // The widget position of a cell's centre, through the scaled picture.
  const QRect r = w.view().surfaceRect();
  auto at = [&](int x, int y) {
    const double f = double(r.width()) / (SURFACE_WIDTH * TWIPS_PER_PIXEL);
    return QPoint(r.x() + qRound((cellLeft(x) + SQUARE_WIDTH / 2) * f),
                  r.y() + qRound((cellTop(y) + SQUARE_HEIGHT / 2) * f));
  };
  QTest::mouseClick(&w.view(), Qt::LeftButton, {}, at(7, 7));
  QTest::mouseClick(&w.view(), Qt::LeftButton, {}, at(7, 6));
  EXPECT_EQ(w.game().BOARD[7][6], CODE_SITA_HU);
  EXPECT_EQ(w.game().BOARD[7][7], EMPTY);
  // The second player answers with the right button: no promotion is possible there.
  QTest::mouseClick(&w.view(), Qt::LeftButton, {}, at(3, 3));
  QTest::mouseClick(&w.view(), Qt::RightButton, {}, at(3, 4));
  EXPECT_EQ(w.game().BOARD[3][4], CODE_UE_HU);
}

} // namespace
} // namespace korvanu

int main(int argc, char** argv) {
  // The window tests need no screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
