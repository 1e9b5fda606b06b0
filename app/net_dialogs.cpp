#include "net_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "language/translate.h"

namespace korvanu {

namespace {

QDialogButtonBox* okCancel(QDialog& dialog) {
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QString::fromUtf8(tr("ｷｬﾝｾﾙ")), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

} // namespace

bool askHostTermsDialog(QWidget* parent, NetTerms& terms) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QString::fromUtf8(tr("相手を待つ")));
  auto* form = new QFormLayout(&dialog);
  auto* side = new QComboBox(&dialog);
  side->addItems({QString::fromUtf8(tr("先手")), QString::fromUtf8(tr("後手"))});
  side->setCurrentIndex(terms.hostFirst ? 0 : 1);
  auto* drops = new QCheckBox(&dialog);
  drops->setChecked(terms.drops);
  auto* handicap = new QSpinBox(&dialog);
  handicap->setRange(-10, 10);
  handicap->setValue(terms.handicap);
  auto* minutes = new QSpinBox(&dialog);
  minutes->setRange(0, 600);
  minutes->setValue(terms.mainMinutes);
  minutes->setSpecialValueText(QString::fromUtf8(tr("なし")));
  auto* byoyomi = new QSpinBox(&dialog);
  byoyomi->setRange(0, 600);
  byoyomi->setValue(terms.byoyomiSeconds);
  byoyomi->setSpecialValueText(QString::fromUtf8(tr("なし")));
  form->addRow(QString::fromUtf8(tr("あなたは")), side);
  form->addRow(QString::fromUtf8(tr("持駒可")), drops);
  form->addRow(QString::fromUtf8(tr("ハンデ")), handicap);
  form->addRow(QString::fromUtf8(tr("持ち時間（分）")), minutes);
  // UPnP or NAT-PMP: most home routers open the port on request.
  auto* router = new QCheckBox(&dialog);
  router->setChecked(terms.askRouter);
  form->addRow(QString::fromUtf8(tr("秒読み（秒）")), byoyomi);
  form->addRow(QString::fromUtf8(tr("ルーターに転送を頼む")), router);
  form->addRow(okCancel(dialog));
  if (dialog.exec() != QDialog::Accepted) return false;
  terms = {side->currentIndex() == 0, drops->isChecked(), handicap->value(),
           minutes->value(),          byoyomi->value(),   router->isChecked()};
  return true;
}

bool askJoinDialog(QWidget* parent, std::string& address, std::string& code) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QString::fromUtf8(tr("相手につなぐ")));
  auto* form = new QFormLayout(&dialog);
  auto* where = new QLineEdit(QString::fromStdString(address), &dialog);
  where->setPlaceholderText(QStringLiteral("192.168.1.2:47170"));
  auto* word = new QLineEdit(QString::fromStdString(code), &dialog);
  form->addRow(QString::fromUtf8(tr("アドレス")), where);
  form->addRow(QString::fromUtf8(tr("合言葉")), word);
  form->addRow(okCancel(dialog));
  if (dialog.exec() != QDialog::Accepted) return false;
  address = where->text().trimmed().toStdString();
  code = word->text().trimmed().toStdString();
  return true;
}

void WaitingBox::show(QWidget* parent, const std::string& text, std::function<void()> cancelled) {
  // A box already up takes the new text where it stands.
  if (box_ && box_->parentWidget() == parent) return box_->setText(QString::fromStdString(text));
  close();
  box_ = new QMessageBox(QMessageBox::Information, QString::fromUtf8(tr("ネット対局")),
                         QString::fromStdString(text), QMessageBox::NoButton, parent);
  box_->setAttribute(Qt::WA_DeleteOnClose);
  box_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QPushButton* cancel = box_->addButton(QString::fromUtf8(tr("ｷｬﾝｾﾙ")), QMessageBox::RejectRole);
  QObject::connect(cancel, &QPushButton::clicked, box_, [cancelled] { cancelled(); });
  box_->setModal(false);
  box_->show();
}

void WaitingBox::close() {
  if (box_) box_->close();
  box_ = nullptr;
}

} // namespace korvanu
