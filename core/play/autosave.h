// The record kept when the program ends, so that quitting loses no game.
#pragma once

#include <optional>
#include <string>

namespace korvanu {

struct Table;

// The game goes to "前回の対局.棋譜" in the records folder (the current
// directory when the game keeps no records folder). Its title line marks the
// files the autosave wrote, and only such a file is replaced: one by that
// name with any other title is the player's, and the game goes beside it as
// "前回の対局(2).棋譜" (the first of (2) to (99) that is free or the
// autosave's own). When the records folder takes nothing (it cannot be made,
// the disk is full, the file there is marked read-only), the game goes to the
// player's state folder the same way.
inline constexpr const char* AUTOSAVE_NAME = "前回の対局";
inline constexpr const char* AUTOSAVE_TITLE = "自動保存の対局";
// The title of a game the autosave kept after one side resigned, and of one
// that ended otherwise (a king lost, time up); their files are the autosave's
// own all the same, and never offered for going on with.
inline constexpr const char* AUTOSAVE_RESIGNED_TITLE = "自動保存の対局（投了）";
inline constexpr const char* AUTOSAVE_ENDED_TITLE = "自動保存の対局（終局）";
// Beside the kept game, in a file of its own (the record's format has no
// place for it): the computer's level it was played at, "1" to "4".
inline constexpr const char* AUTOSAVE_LEVEL_SUFFIX = ".level";
// The players' names say how the game was played, so that the next start can
// go on with it (resume.h) while the file stays a plain record: against the
// computer the upper player is COMPUTER_NAME and the lower, the human,
// HUMAN_NAME; between two people they are 後手 and 先手 by who began. Which
// side the human had needs no name: the lower side began when it was 先手,
// and the record's first move says who began.
inline constexpr const char* COMPUTER_NAME = "ｺﾝﾋﾟｭｰﾀ";
inline constexpr const char* HUMAN_NAME = "あなた";

// Writes the record, whole or not at all, when it holds moves that are in no
// file yet and could be saved through the file panel (a turned or handicapped
// game cannot; a network game is kept whatever its terms). Never asks
// anything: the game calls it after every move, take-back and end, so that no
// way of the program dying loses more than the move being made, and a write
// that fails leaves every file as it was. True when written.
bool autosaveRecord(Table& g);

// The title of a kept game says it has nothing left to play.
bool keptGameIsOver(const std::string& title);
// The level a kept game against the computer was played at; 0 when none is
// known.
int keptGameLevel(const std::string& path);

// Where the game the autosave kept last lies, while it is still there.
std::optional<std::string> lastKeptGame(const Table& g);

// Once the window shows: a game that the last run had to keep outside the
// records folder is named to the player, once.
void sayWhereTheLastGameWasKept(Table& g);

} // namespace korvanu
