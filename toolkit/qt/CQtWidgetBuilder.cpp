#include "toolkit/qt/CQtWidgetBuilder.h"

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
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <algorithm>
#include <array>
#include <string_view>

#include "toolkit/ZafApplication.h"
#include "toolkit/ZafObjectPersistence.h"
#include "toolkit/controls/CIntegerEditControl.h"
#include "toolkit/controls/CMouseCaptureWindow.h"
#include "toolkit/controls/CPressureTestWnd.h"
#include "toolkit/controls/CScrollButton.h"
#include "toolkit/controls/CScrollWindow.h"
#include "toolkit/controls/CThumbnail.h"
#include "toolkit/controls/ZafComboBox.h"
#include "toolkit/controls/ZafGroup.h"
#include "toolkit/controls/ZafImage.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafPopUpItem.h"
#include "toolkit/controls/ZafProgressBar.h"
#include "toolkit/controls/ZafPrompt.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/controls/ZafText.h"
#include "toolkit/controls/ZafVtList.h"
#include "toolkit/data/ZafBitmapData.h"
#include "toolkit/qt/CQtBindings.h"
#include "toolkit/qt/CQtCaptureWidget.h"
#include "toolkit/qt/CQtComboBox.h"
#include "toolkit/qt/CQtPicture.h"
#include "toolkit/qt/CQtPressureWidget.h"
#include "toolkit/qt/CQtSpinBox.h"
#include "toolkit/qt/CQtThumbnailWidget.h"
#include "toolkit/qt/CQtWidgetSync.h"

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

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

bool CQtWidgetBuilder::IsDecoration(const ZafWindowObject& object) {
  constexpr std::array<std::string_view, 6> kDecorations = {
      "ZafBorder",         "ZafTitle",          "ZafSystemButton",
      "ZafMinimizeButton", "ZafMaximizeButton", "ZafTreeItem"};
  return std::find(kDecorations.begin(), kDecorations.end(), object.ClassName()) !=
         kDecorations.end();
}

QWidget* CQtWidgetBuilder::BuildWindow(ZafWindow& window) {
  QWidget* top = Build(window, nullptr);
  if (top == nullptr) return nullptr;
  const ZafRegion& r = window.Region();
  if (r.Width() > 0 && r.Height() > 0) {
    top->setGeometry(r.left, r.top, r.Width(), r.Height());
    if (!window.Sizeable()) top->setFixedSize(r.Width(), r.Height());
  } else {
    top->adjustSize();
  }
  return top;
}

QWidget* CQtWidgetBuilder::Build(ZafWindowObject& object, QWidget* parent) {
  if (IsDecoration(object)) return nullptr;
  if (dynamic_cast<ZafPopUpItem*>(&object) != nullptr && object.Parent() != nullptr &&
      dynamic_cast<ZafPopUpMenu*>(object.Parent()) != nullptr) {
    BuildMenuItem(object, *object.Parent());
    return nullptr;
  }
  QWidget* container = nullptr;
  QWidget* widget = MakeWidget(object, parent, container);
  // The string identifier names the widget for Qt's own tools and for tests.
  if (widget != nullptr && !object.StringID().empty()) widget->setObjectName(Q(object.StringID()));
  StQtBinding binding;
  binding.widget = widget;
  binding.container = container != nullptr ? container : widget;
  binding.parent = object.Parent();
  m_bindings.Bind(object, binding);
  m_sync.ApplyAll(object);
  BuildChildren(object);
  if (dynamic_cast<ZafNotebook*>(&object) != nullptr) m_sync.ApplyAll(object);
  return widget;
}

void CQtWidgetBuilder::BuildChildren(ZafWindowObject& object) {
  StQtBinding* binding = m_bindings.Find(&object);
  if (binding == nullptr) return;
  if (auto* spin = dynamic_cast<ZafSpinControl*>(&object)) {
    // The spin box shows its field too.
    for (const auto& child : object.Children()) {
      if (child.get() != spin->Field() || m_bindings.Find(child.get()) != nullptr) continue;
      StQtBinding shared;
      shared.widget = binding->widget;
      shared.shared = true;
      shared.parent = &object;
      m_bindings.Bind(*child, shared);
    }
    return;
  }
  auto* notebook = dynamic_cast<ZafNotebook*>(&object);
  auto* tabs = qobject_cast<QTabWidget*>(binding->widget);
  for (std::size_t i = 0; i < object.Children().size(); ++i) {
    ZafWindowObject& child = *object.Children()[i];
    if (m_bindings.Find(&child) != nullptr) continue;
    if (notebook != nullptr && tabs != nullptr) {
      QWidget* page = Build(child, nullptr);
      const QSignalBlocker blocker(tabs);
      if (page != nullptr)
        tabs->insertTab(static_cast<int>(i), page, Q(notebook->Page(i)->PageText()));
    } else {
      (void)Build(child, m_bindings.Find(&object)->container);
    }
  }
}

void CQtWidgetBuilder::Reconcile(ZafWindowObject& object) {
  StQtBinding* binding = m_bindings.Find(&object);
  if (binding == nullptr) return;
  std::vector<const ZafWindowObject*> gone;
  for (const ZafWindowObject* child : binding->children) {
    const bool present =
        std::any_of(object.Children().begin(), object.Children().end(),
                    [&](const std::unique_ptr<ZafWindowObject>& c) { return c.get() == child; });
    if (!present) gone.push_back(child);
  }
  // Gone children may be destroyed already: only their bindings are used.
  for (const ZafWindowObject* child : gone) Discard(child);
  BuildChildren(object);
  m_sync.ApplyAll(object);
}

void CQtWidgetBuilder::Discard(const ZafWindowObject* object) {
  const StQtBinding* binding = m_bindings.Find(object);
  if (binding == nullptr) return;
  QWidget* widget = binding->shared ? nullptr : binding->widget;
  QAction* action = binding->action;
  m_bindings.Unbind(object);
  if (action != nullptr) action->deleteLater();
  if (widget == nullptr) return;
  // A page leaves its notebook's tabs (the stack between them is Qt's own).
  QWidget* stack = widget->parentWidget();
  if (auto* tabs = qobject_cast<QTabWidget*>(stack != nullptr ? stack->parentWidget() : nullptr)) {
    const QSignalBlocker blocker(tabs);
    if (const int index = tabs->indexOf(widget); index >= 0) tabs->removeTab(index);
  }
  // Deleting later: the widget may be the one whose signal is running now.
  widget->hide();
  widget->deleteLater();
}

void CQtWidgetBuilder::Settle(ZafWindowObject* object) {
  if (m_bindings.Find(object) != nullptr) m_sync.ApplyAll(*object);
}

QWidget* CQtWidgetBuilder::MakeWidget(ZafWindowObject& object, QWidget* parent,
                                      QWidget*& container) {
  ZafWindowObject* o = &object;
  if (auto* window = dynamic_cast<ZafWindow*>(o)) return MakeWindow(*window, parent, container);
  if (dynamic_cast<ZafButton*>(o) != nullptr) return MakeButton(object, parent);
  if (auto* notebook = dynamic_cast<ZafNotebook*>(o)) {
    auto* tabs = new QTabWidget(parent);
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [this, notebook](int index) {
      notebook->UserSelectPage(index);
      Settle(notebook);
    });
    return tabs;
  }
  if (dynamic_cast<ZafGroup*>(o) != nullptr) return new QGroupBox(parent);
  if (auto* spin = dynamic_cast<ZafSpinControl*>(o)) {
    auto* box = new CQtSpinBox(parent);
    box->setKeyboardTracking(false);
    box->SetStepHandler([this, spin](int direction) {
      spin->UserStep(direction);
      Settle(spin);
    });
    QObject::connect(box, &QSpinBox::editingFinished, box, [this, spin, box] {
      ZafInteger* field = spin->Field();
      if (field != nullptr && field->IntegerValue() != box->value())
        field->UserSetValue(box->value());
      Settle(spin);
    });
    return box;
  }
  if (dynamic_cast<ZafString*>(o) != nullptr || dynamic_cast<ZafInteger*>(o) != nullptr)
    return MakeField(object, parent);
  if (auto* combo = dynamic_cast<ZafComboBox*>(o)) {
    auto* box = new CQtComboBox(parent);
    box->SetListHandler([combo](bool open) { combo->SetListOpen(open); });
    QObject::connect(box, &QComboBox::activated, box, [this, combo](int index) {
      combo->UserSelect(index);
      Settle(combo);
    });
    return box;
  }
  if (auto* list = dynamic_cast<ZafList*>(o)) {
    auto* view = new QListWidget(parent);
    QObject::connect(view, &QListWidget::currentRowChanged, view, [this, list](int row) {
      list->UserSelect(row);
      Settle(list);
    });
    return view;
  }
  if (auto* scroll = dynamic_cast<ZafScrollBar*>(o)) {
    QAbstractSlider* bar = scroll->IsSlider()
                               ? static_cast<QAbstractSlider*>(new QSlider(parent))
                               : static_cast<QAbstractSlider*>(new QScrollBar(parent));
    if (auto* slider = qobject_cast<QSlider*>(bar)) slider->setTickPosition(QSlider::TicksBelow);
    QObject::connect(bar, &QAbstractSlider::valueChanged, bar, [this, scroll](int value) {
      scroll->UserSetPosition(value);
      Settle(scroll);
    });
    return bar;
  }
  if (dynamic_cast<ZafProgressBar*>(o) != nullptr) return new QProgressBar(parent);
  if (dynamic_cast<ZafImage*>(o) != nullptr) return new QLabel(parent);
  if (dynamic_cast<ZafPrompt*>(o) != nullptr) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    return label;
  }
  if (auto* thumbnail = dynamic_cast<CThumbnail*>(o))
    return new CQtThumbnailWidget(*thumbnail, parent);
  if (auto* menu = dynamic_cast<ZafPopUpMenu*>(o)) {
    auto* popup = new QMenu(parent);
    QObject::connect(popup, &QMenu::aboutToHide, popup, [menu] { menu->SetOpen(false); });
    return popup;
  }
  // Any other object still takes its place on the screen.
  return new QWidget(parent);
}

QWidget* CQtWidgetBuilder::MakeWindow(ZafWindow& window, QWidget* parent, QWidget*& container) {
  if (auto* pressure = dynamic_cast<CPressureTestWnd*>(&window))
    return new CQtPressureWidget(*pressure, parent);
  if (auto* capture = dynamic_cast<CMouseCaptureWindow*>(&window))
    return new CQtCaptureWidget(*capture, parent);
  if (auto* scroll = dynamic_cast<CScrollWindow*>(&window)) {
    auto* area = new QScrollArea(parent);
    auto* content = new QWidget;
    content->resize(ContentSize(window));
    area->setWidget(content);
    const auto follow = [scroll, area](int) {
      scroll->ScrollTo(area->horizontalScrollBar()->value(), area->verticalScrollBar()->value());
    };
    QObject::connect(area->horizontalScrollBar(), &QScrollBar::valueChanged, area, follow);
    QObject::connect(area->verticalScrollBar(), &QScrollBar::valueChanged, area, follow);
    container = content;
    return area;
  }
  if (window.Parent() != nullptr) return new QWidget(parent);
  if (window.Modal() || window.ClassName() == "ZafDialogWindow") {
    auto* dialog =
        new QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog->setSizeGripEnabled(window.Sizeable());
    return dialog;
  }
  return new QWidget(nullptr, Qt::Window);
}

QWidget* CQtWidgetBuilder::MakeButton(ZafWindowObject& object, QWidget* parent) {
  auto* button = dynamic_cast<ZafButton*>(&object);
  QAbstractButton* widget = nullptr;
  switch (button->ButtonType()) {
    case ZafButtonType::kCheckBox: widget = new QCheckBox(parent); break;
    case ZafButtonType::kRadio: widget = new QRadioButton(parent); break;
    case ZafButtonType::kPush: {
      auto* push = new QPushButton(parent);
      push->setDefault(button->IsDefault());
      if (auto* repeating = dynamic_cast<CScrollButton*>(button)) {
        push->setAutoRepeat(true);
        push->setAutoRepeatInterval(repeating->RepeatMs());
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
  // Settle shows the toolkit's answer either way.
  QObject::connect(widget, &QAbstractButton::clicked, widget, [this, button] {
    button->UserPress();
    Settle(button);
  });
  return widget;
}

QWidget* CQtWidgetBuilder::MakeField(ZafWindowObject& object, QWidget* parent) {
  if (auto* integer = dynamic_cast<ZafInteger*>(&object)) {
    auto* edit = new QLineEdit(parent);
    edit->setValidator(new QIntValidator(integer->Minimum().value_or(INT32_MIN),
                                         integer->Maximum().value_or(INT32_MAX), edit));
    if (dynamic_cast<CIntegerEditControl*>(integer) != nullptr) {
      // The value is taken on Enter (a key message to the toolkit); until then
      // the field only holds what is typed.
      QObject::connect(edit, &QLineEdit::textEdited, edit,
                       [integer](const QString& text) { integer->SetText(text.toStdString()); });
    } else {
      QObject::connect(edit, &QLineEdit::editingFinished, edit, [this, integer, edit] {
        bool ok = false;
        const int value = edit->text().toInt(&ok);
        if (ok && value != integer->IntegerValue()) integer->UserSetValue(value);
        Settle(integer);
      });
    }
    return edit;
  }
  auto* field = dynamic_cast<ZafString*>(&object);
  // Typing reaches the field as key messages through the toolkit; Qt's own
  // editing paths (menus, drops) stay closed so the two never disagree.
  if (auto* text = dynamic_cast<ZafText*>(field); text != nullptr && text->MultiLine()) {
    auto* area = new QPlainTextEdit(parent);
    area->setContextMenuPolicy(Qt::NoContextMenu);
    area->setAcceptDrops(false);
    QObject::connect(area, &QPlainTextEdit::cursorPositionChanged, area, [this, field, area] {
      field->UserSetCaret(
          CQtWidgetSync::ToBytes(area->toPlainText(), area->textCursor().position()));
      Settle(field);
    });
    return area;
  }
  auto* edit = new QLineEdit(parent);
  edit->setContextMenuPolicy(Qt::NoContextMenu);
  edit->setAcceptDrops(false);
  edit->setDragEnabled(false);
  QObject::connect(edit, &QLineEdit::cursorPositionChanged, edit,
                   [this, field, edit](int, int now) {
                     field->UserSetCaret(CQtWidgetSync::ToBytes(edit->text(), now));
                     Settle(field);
                   });
  return edit;
}

void CQtWidgetBuilder::BuildMenuItem(ZafWindowObject& item, ZafWindowObject& menu) {
  auto* popup = qobject_cast<QMenu*>(m_bindings.WidgetFor(&menu));
  if (popup == nullptr) return;
  auto* choice = static_cast<ZafPopUpItem*>(&item);
  QAction* action = popup->addAction(Q(item.Text()));
  QObject::connect(action, &QAction::triggered, action, [this, choice] {
    choice->UserChoose();
    Settle(choice);
  });
  StQtBinding binding;
  binding.action = action;
  binding.parent = &menu;
  m_bindings.Bind(item, binding);
  m_sync.ApplyAll(item);
}
