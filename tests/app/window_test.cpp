#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

#include "../core/temp_dir.h"
#include "main_window.h"
#include "state/game.h"
#include "surface.h"
#include "surface_view.h"
#include "view/board_view.h"
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

} // namespace
} // namespace korvanu

int main(int argc, char** argv) {
  // The window tests need no screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
