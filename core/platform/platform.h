// The game's only door to the world outside it, in ports by job: the surface
// the view draws on, the window, timing and work aside, the record file panel,
// the move list, the network game's dialogs, and the sound library. The Qt
// window implements them for real; HeadlessPlatform records what the game
// asked for.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "state/menu.h"

namespace korvanu {

struct SoundApi;

enum class Buttons { Ok, YesNo };
enum class Icon { None, Information, Exclamation, Question, Critical };
enum class Answer { Ok, Yes, No };

// A window rectangle in twips on the screen.
struct WindowRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A network game's terms, as the host chooses them and the joiner sees them.
struct NetTerms {
  bool hostFirst = true; // the host plays 先手
  bool drops = true;
  int handicap = 0;       // as △ and ▽ set it
  int mainMinutes = 0;    // 0 and 0: no time control
  int byoyomiSeconds = 0; // 秒読み once the main time is used
  bool askRouter = true;  // the home router is asked to forward the port
};

// What the view draws on: the window's surface.
class Canvas {
public:
  virtual ~Canvas() = default;

  // The surface, in twips of the window's client area. Everything drawn stays
  // until something is drawn over it.
  virtual void fillSurface(int colour) = 0;
  // Paints the picture of `code` (a code 描画_絵 accepts) at its natural
  // size with its top-left corner at (left, top).
  virtual void drawPicture(int code, double left, double top) = 0;
  // An unfilled one-pixel rectangle; both corners are part of it.
  virtual void drawOutline(int colour, double left, double top, double right, double bottom) = 0;
  // A translucent fill over what is drawn: `argb` is 0xAARRGGBB, its alpha how
  // much of the colour shows. Both corners are part of it.
  virtual void drawTint(std::uint32_t argb, double left, double top, double right,
                        double bottom) = 0;
  // Text (UTF-8) whose character cell starts at (left, top).
  virtual void drawText(const std::string& text, double left, double top, int colour, double points,
                        bool bold) = 0;
  // How far drawText's ink reaches right of `left`, in twips: the room the
  // text needs.
  virtual double textWidth(const std::string& text, double points, bool bold) = 0;
  // Shows what has been drawn now, not at the next idle moment.
  virtual void refresh() = 0;
  // The keyboard's cursor: marks round the rectangle in `colour`, shown over
  // the surface rather than drawn into it, so the outlines beneath stay as
  // they are and moving it leaves nothing behind. One cursor at a time.
  virtual void showCursor(int colour, double left, double top, double right, double bottom) = 0;
  virtual void hideCursor() = 0;
};

// The window itself: its menus' check marks, its language, its message boxes,
// its place on the screen, and its end.
class WindowPort {
public:
  virtual ~WindowPort() = default;

  virtual void setMenuChecked(Menu item, bool checked) = 0;
  // The texts are now in another language: the menus and whatever the
  // window shows of its own take it up.
  virtual void languageChanged() = 0;
  virtual Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                            Icon icon) = 0;

  virtual WindowRect windowRect() = 0;
  virtual void setWindowRect(const WindowRect& rect) = 0;
  // Moves the window's top-left corner (twips) and keeps its size; the
  // explosion shakes the window with it. A window that cannot be moved
  // shakes its drawing by the same offset instead.
  virtual void moveWindow(int left, int top) = 0;
  // Ends the program once the current event is handled; no further game
  // event reaches the core.
  virtual void quit() = 0;
};

// The clock, waits, the window's timer and the work that runs beside the game.
class Timing {
public:
  virtual ~Timing() = default;

  // Seconds since local midnight, with sub-second resolution.
  virtual double clockSeconds() = 0;
  // Sleeps; no event is handled meanwhile. What is drawn stays as it is.
  virtual void wait(double seconds) = 0;
  // The window's 50 ms clock timer, which calls Timer1_Timer while it runs.
  virtual void setTimerEnabled(bool enabled) = 0;
  // Starts `work` on the program's one worker thread and returns at once;
  // once it has finished, `done` runs on the game's thread as an event of its
  // own, never inside another one. Meanwhile the window goes on: it is
  // painted, Timer1 ticks, and Esc or closing the window end the program,
  // which sets `stop` (`work` is to return soon after); no click, other key
  // or menu command reaches the game until `done` has run or stopAside is
  // called. `work` must not touch the game. One piece of work at a time: a
  // new one stops the one before.
  virtual void startAside(std::function<void(const std::atomic<bool>& stop)> work,
                          std::function<void()> done) = 0;
  // The work running aside is no longer wanted: it is told to stop, and input
  // reaches the game again at once. Its `done` may still come, for the game
  // to drop.
  virtual void stopAside() = 0;
};

// The record file panel's widgets.
class FilePanelPort {
public:
  virtual ~FilePanelPort() = default;

  // The record file panel: whether its drive, folder and file lists show,
  // and whether its four text fields with their labels and button show.
  virtual void showFileLists(bool drive, bool folder, bool files) = 0;
  virtual void showRecordFields(bool show) = 0;
  // Empties the four text fields.
  virtual void clearRecordFields() = 0;
  // The text typed in field 1 (file name), 2 (title), 3 (first player) or
  // 4 (second player).
  virtual std::string recordField(int field) = 0;
  // The folder list's folder, and the file list's, which lists "*.棋譜".
  virtual std::string folderPath() = 0;
  virtual void setFolderPath(const std::string& path) = 0;
  virtual std::string fileListPath() = 0;
  virtual void setFileListPath(const std::string& path) = 0;
};

// The move list's window.
class MoveListPort {
public:
  virtual ~MoveListPort() = default;

  // The move list, a small window of its own beside this one: its rows, the
  // row `current` marked and kept in sight. Shows it when it is hidden.
  virtual void showMoveList(const std::vector<std::string>& rows, int current) = 0;
  // Whether it shows: the player may close it at any time. A click on a row
  // reaches the game as moveListRowClicked (play/commands.h).
  virtual bool moveListShown() = 0;
};

// The network game's dialogs.
class NetDialogs {
public:
  virtual ~NetDialogs() = default;

  // The network game's dialogs: the host's terms (filled in beforehand with
  // the current ones), and the joiner's address ("host[:port]") and code.
  // False when the player cancels.
  virtual bool askHostTerms(NetTerms& terms) = 0;
  virtual bool askJoin(std::string& address, std::string& code) = 0;
  // While the host waits for its friend, or the joiner for the host: a box
  // with `text` and a cancel button, which reaches the game as cancelHosting
  // (play/net_game.h). Empty text closes it.
  virtual void showWaiting(const std::string& text) = 0;
};

// Where the sound library comes from and what it plays through.
class SoundPort {
public:
  virtual ~SoundPort() = default;

  // The window handle the sound library opens its device for.
  virtual std::intptr_t windowHandle() = 0;
  // The sound library at `path`, loaded on the first call; null when it
  // could not be loaded.
  virtual const SoundApi* soundLibrary(const std::string& path) = 0;
};

// Every port of the world outside the game, one by job; the Qt window and the
// headless platform implement them all.
class Platform : public Canvas,
                 public WindowPort,
                 public Timing,
                 public FilePanelPort,
                 public MoveListPort,
                 public NetDialogs,
                 public SoundPort {};

} // namespace korvanu
