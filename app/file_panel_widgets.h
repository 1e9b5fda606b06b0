// The record file panel's widgets: drive, folder and file lists, four text
// fields with their labels, and the RETURN button. They stand on the drawing
// surface at fixed places in twips and scale with it.
#pragma once

#include <QList>
#include <QObject>
#include <QRect>
#include <QString>
#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace korvanu {

class FilePanel : public QObject {
  Q_OBJECT
public:
  explicit FilePanel(QWidget* surfaceView);

  // What the person did, handed on to the game.
  std::function<void(const QString& drive)> onDriveChosen;
  std::function<void()> onFolderChanged;
  std::function<void(const QString& fileName)> onFileClicked;
  std::function<void()> onReturn;
  std::function<void()> onClose; // Esc in the panel

  // One of the panel's controls has the keys.
  bool hasKeyboardFocus() const;

  void showLists(bool drive, bool folder, bool files);
  void showFields(bool show);
  void clearFields();
  // The labels again, in the language now in use.
  void relabel();
  QString field(int n) const; // 1..4

  QString folder() const { return folder_; }
  void setFolder(const QString& path); // without telling the game
  QString fileFolder() const { return fileFolder_; }
  void setFileFolder(const QString& path);

  // Places every widget for the surface shown at `surface` in the view.
  void layout(const QRect& surface);

  QComboBox* drives() const { return drive_; }
  QListWidget* folders() const { return dir_; }
  QListWidget* files() const { return file_; }
  QLineEdit* text(int n) const { return texts_[static_cast<size_t>(n - 1)]; }
  QPushButton* returnButton() const { return button_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void fillDrives();
  QList<QWidget*> controls() const;
  // Keys typed into a control hidden since go back to the window.
  void returnKeysToWindow();
  void enterFolder(const QString& path);

  QComboBox* drive_;
  QListWidget* dir_;
  QListWidget* file_;
  std::array<QLabel*, 4> labels_{};
  std::array<QLineEdit*, 4> texts_{};
  QPushButton* button_;
  QString folder_, fileFolder_;
};

} // namespace korvanu
