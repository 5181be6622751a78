#include "toolkit/qt/CQtWidgetFactory.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>

#include "toolkit/ZafApplication.h"
#include "toolkit/ZafObjectPersistence.h"
#include "toolkit/controls/CMouseCaptureWindow.h"
#include "toolkit/controls/CPressureTestWnd.h"
#include "toolkit/controls/CScrollWindow.h"
#include "toolkit/controls/CThumbnail.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafComboBox.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafPopUpMenu.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/controls/ZafText.h"
#include "toolkit/data/ZafBitmapData.h"
#include "toolkit/qt/CQtCaptureWidget.h"
#include "toolkit/qt/CQtComboBox.h"
#include "toolkit/qt/CQtPicture.h"
#include "toolkit/qt/CQtPressureWidget.h"
#include "toolkit/qt/CQtSpinBox.h"
#include "toolkit/qt/CQtThumbnailWidget.h"
#include "toolkit/qt/CQtWidgetSync.h"

namespace {

const ZafBitmapData* FindBitmap(const std::string& name) {
  if (name.empty()) return nullptr;
  if (ZafObjectPersistence* persistence = ZafObjectPersistence::Default()) {
    const ZafBitmapData* bitmap = nullptr;
    if (persistence->ReadBitmap(name, bitmap) == kStatusOk) return bitmap;
  }
  ZafApplication* application = ZafApplication::Get();
  return application != nullptr ? application->DataManager().GetAs<ZafBitmapData>(name) : nullptr;
}

// The area the children of a scrolled window cover.
QSize ContentSize(const ZafWindowObject& object) {
  QSize size(1, 1);
  for (const auto& child : object.Children()) {
    size = size.expandedTo(QSize(child->Region().right + 1, child->Region().bottom + 1));
  }
  return size;
}

}  // namespace

QWidget* CQtWidgetFactory::Make(ZafWindowObject& object, QWidget* parent, QWidget*& container) {
  // Each kind's objects derive from the class its kind names (ZafWidgetKind.h).
  switch (object.WidgetKind()) {
    case ZafWidgetKind::kNone:
    case ZafWidgetKind::kMenuItem: return nullptr;
    case ZafWidgetKind::kWindow: return MakeWindow(static_cast<ZafWindow&>(object), parent, container);
    case ZafWidgetKind::kButton: return MakeButton(object, parent);
    case ZafWidgetKind::kGroup: return new QGroupBox(parent);
    case ZafWidgetKind::kPrompt: {
      auto* label = new QLabel(parent);
      label->setWordWrap(true);
      return label;
    }
    case ZafWidgetKind::kTextField: return MakeTextField(object, parent);
    case ZafWidgetKind::kIntegerField: return MakeIntegerField(object, parent);
    case ZafWidgetKind::kSpin: return MakeSpin(object, parent);
    case ZafWidgetKind::kComboBox:
    case ZafWidgetKind::kList:
    case ZafWidgetKind::kNotebook: return MakeChoice(object, parent);
    case ZafWidgetKind::kScrollBar: return MakeScrollBar(object, parent);
    case ZafWidgetKind::kProgress: return new QProgressBar(parent);
    case ZafWidgetKind::kImage: return new QLabel(parent);
    case ZafWidgetKind::kMenu: {
      auto* menu = &static_cast<ZafPopUpMenu&>(object);
      auto* popup = new QMenu(parent);
      QObject::connect(popup, &QMenu::aboutToHide, popup, [menu] { menu->SetOpen(false); });
      return popup;
    }
    case ZafWidgetKind::kThumbnail: return new CQtThumbnailWidget(static_cast<CThumbnail&>(object), parent);
    case ZafWidgetKind::kPressure:
      return new CQtPressureWidget(static_cast<CPressureTestWnd&>(object), parent);
    case ZafWidgetKind::kCapture:
      return new CQtCaptureWidget(static_cast<CMouseCaptureWindow&>(object), parent);
    case ZafWidgetKind::kScrollWindow: {
      auto* scroll = &static_cast<CScrollWindow&>(object);
      auto* area = new QScrollArea(parent);
      auto* content = new QWidget;
      content->resize(ContentSize(object));
      area->setWidget(content);
      const auto follow = [scroll, area](int) {
        scroll->ScrollTo(area->horizontalScrollBar()->value(), area->verticalScrollBar()->value());
      };
      QObject::connect(area->horizontalScrollBar(), &QScrollBar::valueChanged, area, follow);
      QObject::connect(area->verticalScrollBar(), &QScrollBar::valueChanged, area, follow);
      container = content;
      return area;
    }
    case ZafWidgetKind::kPlain: break;
  }
  // Any other object still takes its place on the screen.
  return new QWidget(parent);
}

QWidget* CQtWidgetFactory::MakeWindow(ZafWindow& window, QWidget* parent, QWidget*& /*container*/) {
  if (window.Parent() != nullptr) return new QWidget(parent);
  Qt::WindowFlags flags = window.Frameless() ? Qt::FramelessWindowHint : Qt::WindowFlags();
  if (window.Modal()) {
    auto* dialog =
        new QDialog(nullptr, flags | Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog->setSizeGripEnabled(window.Sizeable() && !window.Frameless());
    return dialog;
  }
  return new QWidget(nullptr, flags | Qt::Window);
}

QWidget* CQtWidgetFactory::MakeButton(ZafWindowObject& object, QWidget* parent) {
  auto* button = &static_cast<ZafButton&>(object);
  QAbstractButton* widget = nullptr;
  switch (button->ButtonType()) {
    case ZafButtonType::kCheckBox: widget = new QCheckBox(parent); break;
    case ZafButtonType::kRadio: widget = new QRadioButton(parent); break;
    case ZafButtonType::kPush: {
      auto* push = new QPushButton(parent);
      // Enter presses the default button through the toolkit (a dialog never
      // gets to act on the key), so this only gives the button its look.
      push->setDefault(button->IsDefault());
      push->setAutoDefault(false);
      if (button->RepeatMs() > 0) {
        push->setAutoRepeat(true);
        push->setAutoRepeatInterval(button->RepeatMs());
      }
      widget = push;
      break;
    }
  }
  if (const ZafBitmapData* bitmap = FindBitmap(button->BitmapName())) {
    const QImage image = CQtPicture::Image(bitmap->Width(), bitmap->Height(), bitmap->Pixels());
    widget->setIcon(QIcon(QPixmap::fromImage(image)));
    widget->setIconSize(image.size());
  }
  // Qt has already flipped a check box; the toolkit flips its own state and
  // settling shows the toolkit's answer either way.
  QObject::connect(widget, &QAbstractButton::clicked, widget, [this, button] {
    button->UserPress();
    m_settle(button);
  });
  return widget;
}

QWidget* CQtWidgetFactory::MakeTextField(ZafWindowObject& object, QWidget* parent) {
  auto* field = &static_cast<ZafString&>(object);
  // Typing reaches the field as key messages through the toolkit; Qt's own
  // editing paths (menus, drops) stay closed so the two never disagree.
  if (auto* text = dynamic_cast<ZafText*>(field); text != nullptr && text->MultiLine()) {
    auto* area = new QPlainTextEdit(parent);
    area->setContextMenuPolicy(Qt::NoContextMenu);
    area->setAcceptDrops(false);
    QObject::connect(area, &QPlainTextEdit::cursorPositionChanged, area, [this, field, area] {
      field->UserSetCaret(CQtWidgetSync::ToBytes(area->toPlainText(), area->textCursor().position()));
      m_settle(field);
    });
    return area;
  }
  auto* edit = new QLineEdit(parent);
  edit->setContextMenuPolicy(Qt::NoContextMenu);
  edit->setAcceptDrops(false);
  edit->setDragEnabled(false);
  QObject::connect(edit, &QLineEdit::cursorPositionChanged, edit, [this, field, edit](int, int now) {
    field->UserSetCaret(CQtWidgetSync::ToBytes(edit->text(), now));
    m_settle(field);
  });
  return edit;
}

QWidget* CQtWidgetFactory::MakeIntegerField(ZafWindowObject& object, QWidget* parent) {
  auto* integer = &static_cast<ZafInteger&>(object);
  auto* edit = new QLineEdit(parent);
  edit->setValidator(
      new QIntValidator(integer->Minimum().value_or(INT32_MIN), integer->Maximum().value_or(INT32_MAX), edit));
  if (integer->ConfirmsOnEnter()) {
    // The value is taken on Enter (a key message to the toolkit); until then
    // the field only holds what is typed.
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [integer](const QString& text) { integer->SetText(text.toStdString()); });
  } else {
    QObject::connect(edit, &QLineEdit::editingFinished, edit, [this, integer, edit] {
      bool ok = false;
      const int value = edit->text().toInt(&ok);
      if (ok && value != integer->IntegerValue()) integer->UserSetValue(value);
      m_settle(integer);
    });
  }
  return edit;
}

QWidget* CQtWidgetFactory::MakeSpin(ZafWindowObject& object, QWidget* parent) {
  auto* spin = &static_cast<ZafSpinControl&>(object);
  auto* box = new CQtSpinBox(parent);
  box->setKeyboardTracking(false);
  box->SetStepHandler([this, spin](int direction) {
    spin->UserStep(direction);
    m_settle(spin);
  });
  QObject::connect(box, &QSpinBox::editingFinished, box, [this, spin, box] {
    ZafInteger* field = spin->Field();
    if (field != nullptr && field->IntegerValue() != box->value()) field->UserSetValue(box->value());
    m_settle(spin);
  });
  return box;
}

QWidget* CQtWidgetFactory::MakeChoice(ZafWindowObject& object, QWidget* parent) {
  if (object.WidgetKind() == ZafWidgetKind::kNotebook) {
    auto* notebook = &static_cast<ZafNotebook&>(object);
    auto* tabs = new QTabWidget(parent);
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [this, notebook](int index) {
      notebook->UserSelectPage(index);
      m_settle(notebook);
    });
    return tabs;
  }
  if (object.WidgetKind() == ZafWidgetKind::kComboBox) {
    auto* combo = &static_cast<ZafComboBox&>(object);
    auto* box = new CQtComboBox(parent);
    box->SetListHandler([combo](bool open) { combo->SetListOpen(open); });
    QObject::connect(box, &QComboBox::activated, box, [this, combo](int index) {
      combo->UserSelect(index);
      m_settle(combo);
    });
    return box;
  }
  auto* list = &static_cast<ZafList&>(object);
  auto* view = new QListWidget(parent);
  QObject::connect(view, &QListWidget::currentRowChanged, view, [this, list](int row) {
    list->UserSelect(row);
    m_settle(list);
  });
  return view;
}

QWidget* CQtWidgetFactory::MakeScrollBar(ZafWindowObject& object, QWidget* parent) {
  auto* scroll = &static_cast<ZafScrollBar&>(object);
  QAbstractSlider* bar = scroll->IsSlider() ? static_cast<QAbstractSlider*>(new QSlider(parent))
                                            : static_cast<QAbstractSlider*>(new QScrollBar(parent));
  if (auto* slider = qobject_cast<QSlider*>(bar)) slider->setTickPosition(QSlider::TicksBelow);
  QObject::connect(bar, &QAbstractSlider::valueChanged, bar, [this, scroll](int value) {
    scroll->UserSetPosition(value);
    m_settle(scroll);
  });
  return bar;
}
