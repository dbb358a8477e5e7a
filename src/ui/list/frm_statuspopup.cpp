#include "ui/list/frm_statuspopup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace ostrevan::ui {

namespace {
QLabel* Named(const QString& text, const char* name) {
  auto* l = new QLabel(text);
  l->setObjectName(name);
  return l;
}
}  // namespace

FrmStatusPopupWindow::FrmStatusPopupWindow()
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setWindowTitle("Certificados de Origen");
  auto* g = new QGridLayout(this);
  msg_ = Named("Aguarde un momento por favor", "Lbl_Msg");
  QFont bold = msg_->font();
  bold.setBold(true);
  msg_->setFont(bold);
  msg1_ = Named("Procesando ", "Lbl_Msg1");
  regAct_ = Named("000000", "Lbl_RegAct");
  de_ = Named("de", "Lbl_De");
  total_ = Named("000000", "Lbl_Total");
  desc_ = Named(QString(41, '-'), "Lbl_MsgProcesoDesc");
  elapsed_ = Named(QString(), "Lbl_ElapsedTime");
  bar_ = new QProgressBar;
  bar_->setObjectName("PrgB");
  cerrar_ = new QPushButton("Cerrar");
  cerrar_->setObjectName("Cmd_Cerrar");
  cerrar_->setFocusPolicy(Qt::NoFocus);
  g->addWidget(msg_, 0, 0, 1, 4);
  g->addWidget(msg1_, 1, 0);
  g->addWidget(regAct_, 1, 1);
  g->addWidget(de_, 1, 2);
  g->addWidget(total_, 1, 3);
  g->addWidget(desc_, 2, 0, 1, 4);
  g->addWidget(bar_, 3, 0, 1, 4);
  g->addWidget(elapsed_, 4, 0, 1, 2);
  g->addWidget(cerrar_, 4, 3);
  connect(cerrar_, &QPushButton::clicked, this, [this] { Cmd_Cerrar_Click(); });
  // Wide enough for the longest message the operations show, with a six-digit count.
  const int longest = desc_->fontMetrics().horizontalAdvance(
      "000000 Articulos procesados, haga click en cerrar para continuar.");
  const QMargins m = g->contentsMargins();
  setMinimumWidth(longest + m.left() + m.right() + 8);
  adjustSize();
}

void FrmStatusPopupWindow::PlaceOver(const QWidget* caller) {
  adjustSize();
  QRect area;
  if (caller && caller != this && caller->isVisible()) {
    area = caller->frameGeometry();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  if (area.isValid()) anchor_ = area.center();
  Recentre();
}

// move() places the frame: its size, title bar included, is what is centred.
void FrmStatusPopupWindow::Recentre() {
  const QSize frame = frameGeometry().size();
  move(anchor_ - QPoint(frame.width() / 2, frame.height() / 2));
}

void FrmStatusPopupWindow::Loaded() {
  regAct_->setVisible(true);
  de_->setVisible(false);
  total_->setVisible(false);
  bar_->setVisible(false);
  regAct_->setText("000000");
  desc_->setText(QString(41, '-'));
  elapsed_->clear();
  // Without activation: the caller keeps the focus, also on platforms that activate every
  // window they show.
  QWidget* caller = QApplication::activeWindow();
  QWidget* focus = QApplication::focusWidget();
  PlaceOver(caller);
  show();
  Recentre();  // now that the frame is known
  raise();
  if (caller && caller != this) caller->activateWindow();
  if (focus) focus->setFocus();
}

void FrmStatusPopupWindow::Unloaded() {
  hide();
  TakeKeys(false);
}

// While the popup waits for "Cerrar" it is the window the user acts on: it takes the focus,
// with the button, so that Enter, Space or Esc press it (without a mouse, and without a
// window manager to give it the focus). Otherwise it never takes the focus.
void FrmStatusPopupWindow::TakeKeys(bool take) {
  if (take == takesKeys_) return;
  takesKeys_ = take;
  const bool shown = isVisible();
  setWindowFlag(Qt::WindowDoesNotAcceptFocus, !take);  // hides the window
  setAttribute(Qt::WA_ShowWithoutActivating, !take);
  cerrar_->setFocusPolicy(take ? Qt::StrongFocus : Qt::NoFocus);
  if (!take || !shown) return;
  show();
  Recentre();
  raise();
  activateWindow();
  cerrar_->setFocus(Qt::OtherFocusReason);
}

void FrmStatusPopupWindow::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
      if (cerrar_->isVisible() && cerrar_->isEnabled()) {
        cerrar_->click();
        return;
      }
      break;
    default:
      break;
  }
  QWidget::keyPressEvent(e);
}

void FrmStatusPopupWindow::closeEvent(QCloseEvent* e) {
  if (!QueryUnload()) {
    e->ignore();
    return;
  }
  e->accept();
  HideStatus();
}

void FrmStatusPopupWindow::Changed() {
  if (!Visible()) return;
  // Button and message changes show at once; counters only as often as the eye needs, so a
  // loop over a hundred thousand rows is not slowed by its own progress.
  const bool now = cerrar_->isVisible() != ButtonUsed() ||
                   cerrar_->isEnabled() != ButtonEnabled() || desc_->text() != Message() ||
                   (TotalSet() && !bar_->isVisible());
  Paint(now);
}

void FrmStatusPopupWindow::Paint(bool now) {
  if (!now && lastPaint_.isValid() && lastPaint_.elapsed() < 40) return;
  lastPaint_.restart();
  cerrar_->setVisible(ButtonUsed());
  cerrar_->setEnabled(ButtonEnabled());
  TakeKeys(ButtonUsed() && ButtonEnabled());
  regAct_->setText(QString::number(RegAct()));
  if (TotalSet()) {
    de_->setVisible(true);
    total_->setVisible(true);
    total_->setText(QString::number(Total()));
    bar_->setVisible(true);
    bar_->setRange(0, static_cast<int>(Total()));
    bar_->setValue(static_cast<int>(std::min(RegAct(), Total())));
  }
  desc_->setText(Message());
  elapsed_->setText(Elapsed());
  // A message longer than any foreseen widens the popup rather than being cut, and the
  // counters and bar appearing make it taller: it grows about its centre.
  layout()->activate();
  const QSize want = sizeHint().expandedTo(size());
  if (want != size()) resize(want);
  if ((frameGeometry().center() - anchor_).manhattanLength() > 2) Recentre();
  repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace ostrevan::ui
