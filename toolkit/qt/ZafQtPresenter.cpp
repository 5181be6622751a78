#include "toolkit/qt/ZafQtPresenter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <utility>

#include "toolkit/ZafApplication.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/automation/ZafAutomation.h"
#include "toolkit/automation/ZafHeadlessPresenter.h"
#include "toolkit/automation/ZafScript.h"
#include "toolkit/qt/CQtAutomationDriver.h"
#include "toolkit/qt/CQtBindings.h"
#include "toolkit/qt/CQtInputFilter.h"
#include "toolkit/qt/CQtWidgetBuilder.h"
#include "toolkit/qt/CQtWidgetSync.h"

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

ZafRegion RegionOf(const QRect& rect) {
  return ZafRegion::FromSize(rect.x(), rect.y(), rect.width(), rect.height());
}

}  // namespace

ZafQtPresenter::ZafQtPresenter(ZafQtShow show)
    : m_show(show),
      m_bindings(std::make_unique<CQtBindings>()),
      m_sync(std::make_unique<CQtWidgetSync>(*m_bindings)),
      m_builder(std::make_unique<CQtWidgetBuilder>(*m_bindings, *m_sync)),
      m_filter(std::make_unique<CQtInputFilter>(*m_bindings)),
      m_wake(std::make_unique<QTimer>()) {
  m_wake->setSingleShot(true);
  if (m_show == ZafQtShow::kOnScreen) {
    qApp->installEventFilter(m_filter.get());
    // The toolkit's focus follows the user's clicks and Tab presses.
    QObject::connect(qApp, &QApplication::focusChanged, m_filter.get(),
                     [this](QWidget*, QWidget* now) {
                       ZafWindowObject* object = m_bindings->ObjectFor(now);
                       if (object != nullptr && !object->HasFocus()) object->SetFocus();
                     });
  }
}

ZafQtPresenter::~ZafQtPresenter() {
  m_raiseNotifier.reset();
  m_raiseChannel.reset();
  qApp->removeEventFilter(m_filter.get());
  for (const ZafWindow* window : std::set<const ZafWindow*>(m_windows)) {
    QWidget* top = m_bindings->WidgetFor(window);
    m_bindings->Unbind(window);
    delete top;
  }
  // Widgets of windows taken away earlier were left for the event loop to delete.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QWidget* ZafQtPresenter::WidgetFor(const ZafWindowObject& object) const {
  return m_bindings->WidgetFor(&object);
}

QAction* ZafQtPresenter::ActionFor(const ZafWindowObject& object) const {
  const StQtBinding* binding = m_bindings->Find(&object);
  return binding == nullptr ? nullptr : binding->action;
}

bool ZafQtPresenter::Realized(const ZafWindow& window) const {
  return m_windows.count(&window) != 0;
}

void ZafQtPresenter::SetScreenshotOnShow(std::string path, bool closeAfter) {
  m_screenshotPath = std::move(path);
  m_closeAfterScreenshot = closeAfter;
}

void ZafQtPresenter::ObjectChanged(ZafWindowObject& object, ZafChange change) {
  if (change == ZafChange::kChildren ||
      (change == ZafChange::kPages && object.WidgetKind() == ZafWidgetKind::kNotebook)) {
    m_builder->Reconcile(object);
    return;
  }
  m_sync->Apply(object, change);
}

void ZafQtPresenter::Realize(ZafWindow& window) {
  if (Realized(window)) return;
  QWidget* top = m_builder->BuildWindow(window);
  if (top == nullptr) return;
  m_windows.insert(&window);
  if (m_show == ZafQtShow::kOffscreen) top->setAttribute(Qt::WA_DontShowOnScreen);
  if (m_modal.count(&window) != 0) top->setWindowModality(Qt::ApplicationModal);
  top->show();
  // The offscreen platform has no stacking to change; a script still types
  // into the window it opened last, as a user would.
  const bool stacked = QGuiApplication::platformName() != "offscreen";
  if (m_show == ZafQtShow::kOnScreen && stacked) top->raise();
  if (m_show == ZafQtShow::kOnScreen && (stacked || m_automation)) top->activateWindow();
  if (!m_screenshotPath.empty()) TakeScreenshotOnShow(window);
}

void ZafQtPresenter::Unrealize(ZafWindow& window) {
  if (&window == m_raiseWindow) {
    m_raiseNotifier.reset();
    m_raiseChannel.reset();
    m_raiseWindow = nullptr;
  }
  if (m_windows.erase(&window) == 0) return;
  m_builder->Discard(&window);
}

void ZafQtPresenter::BeginModal(ZafWindow& window) {
  m_modal.insert(&window);
  if (m_automation) m_state.BeginModal(window);
}

Status ZafQtPresenter::LoadScript(const std::string& path) {
  if (m_show != ZafQtShow::kOnScreen) return kStatusNotSupported;
  auto script = std::make_unique<ZafScript>();
  const Status status = script->Load(path);
  if (status != kStatusOk) {
    std::fprintf(stderr, "%s\n", script->Error().c_str());
    return status;
  }
  m_automation =
      std::make_unique<ZafAutomation>(std::move(script), std::make_unique<CQtAutomationDriver>(*this), m_state);
  if (ZafApplication* application = ZafApplication::Get(); application != nullptr && &application->Presenter() == this)
    m_automation->Attach(*application);
  return kStatusOk;
}

ZafClock& ZafQtPresenter::Clock() {
  if (m_automation) return m_state.clock;
  return m_clock;
}

std::int32_t ZafQtPresenter::UnattendedModalAnswer() const {
  // A script that ends leaves its dialogs as it would headless: confirmed.
  return m_automation ? kZafEventOk : kZafEventCancel;
}

void ZafQtPresenter::EndModal(ZafWindow& window) {
  m_modal.erase(&window);
}

ZafWaitResult ZafQtPresenter::WaitForInput(std::optional<std::int64_t> deadlineMs) {
  if (m_automation) {
    // What the last line did reaches the widgets and comes back as input first.
    QCoreApplication::processEvents();
    if (m_state.GiveAnswer(ZafApplication::Get())) return ZafWaitResult::kInput;
    return m_automation->Step(deadlineMs);
  }
  // Offscreen nobody can answer: once the picture is taken, the run is over.
  if (m_show == ZafQtShow::kOffscreen && !m_screenshotPending) {
    QCoreApplication::processEvents();
    return ZafWaitResult::kEnded;
  }
  if (deadlineMs) {
    const std::int64_t remaining = *deadlineMs - m_clock.NowMs();
    if (remaining <= 0) {
      QCoreApplication::processEvents();
      return ZafWaitResult::kInput;
    }
    m_wake->start(static_cast<int>(std::min<std::int64_t>(remaining, INT_MAX)));
  }
  // Returns once something happened: input, a paint, the wake-up timer.
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return ZafWaitResult::kInput;
}

ZafMessageAnswer ZafQtPresenter::MessageBox(const std::string& title, const std::string& text,
                                            ZafMessageButtons buttons) {
  QMessageBox::StandardButtons shown = QMessageBox::Ok;
  QMessageBox::Icon icon = QMessageBox::Information;
  switch (buttons) {
    case ZafMessageButtons::kOk: icon = QMessageBox::Warning; break;
    case ZafMessageButtons::kOkCancel: shown = QMessageBox::Ok | QMessageBox::Cancel; break;
    case ZafMessageButtons::kYesNo:
      shown = QMessageBox::Yes | QMessageBox::No;
      icon = QMessageBox::Question;
      break;
    case ZafMessageButtons::kYesNoCancel:
      shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      icon = QMessageBox::Question;
      break;
    case ZafMessageButtons::kRetryCancel:
      shown = QMessageBox::Retry | QMessageBox::Cancel;
      icon = QMessageBox::Warning;
      break;
  }
  if (m_automation) {
    // The script's user reads the box and presses the button it armed. The box is not
    // shown: kept off screen, Qt 6.4 leaves it open after a press and its loop never ends.
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    m_state.messages.push_back({title, text});
    return ZafHeadlessPresenter::ArmedAnswer(m_state, buttons);
  }
  QMessageBox box(icon, Q(title), Q(text), shown, QApplication::activeWindow());
  if (m_show == ZafQtShow::kOffscreen) box.setAttribute(Qt::WA_DontShowOnScreen);
  switch (box.exec()) {
    case QMessageBox::Ok: return ZafMessageAnswer::kOk;
    case QMessageBox::Cancel: return ZafMessageAnswer::kCancel;
    case QMessageBox::Yes: return ZafMessageAnswer::kYes;
    case QMessageBox::No: return ZafMessageAnswer::kNo;
    case QMessageBox::Retry: return ZafMessageAnswer::kRetry;
    default: break;
  }
  // Closed from its frame: the box's way out.
  switch (buttons) {
    case ZafMessageButtons::kOk: return ZafMessageAnswer::kOk;
    case ZafMessageButtons::kYesNo: return ZafMessageAnswer::kNo;
    default: return ZafMessageAnswer::kCancel;
  }
}

bool ZafQtPresenter::ChooseOpenFile(const std::string& title, const std::string& filter,
                                    std::string& path) {
  if (m_automation) {
    // The script's user picks the file it armed, or cancels; a file that is not there is
    // refused as the dialog refuses it. Not shown, for the reason message boxes are not.
    std::optional<std::string> chosen = std::exchange(m_state.armedFile, std::nullopt);
    if (!chosen || !QFileInfo(Q(*chosen)).isFile()) return false;
    path = *chosen;
    return true;
  }
  QFileDialog dialog(QApplication::activeWindow(), Q(title), Q(path), Q(QtFilter(filter)));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  path = dialog.selectedFiles().front().toStdString();
  return true;
}

std::vector<ZafScreen> ZafQtPresenter::Screens() const {
  if (!m_screenOverride.empty()) return m_screenOverride;
  std::vector<ZafScreen> screens;
  const QScreen* primary = QGuiApplication::primaryScreen();
  for (const QScreen* screen : QGuiApplication::screens()) {
    ZafScreen shown;
    shown.name = screen->name().toStdString();
    shown.bounds = RegionOf(screen->geometry());
    shown.workArea = RegionOf(screen->availableGeometry());
    shown.primary = screen == primary;
    // As the monitor's identification data names it: maker code and product, then its serial number.
    if (!screen->manufacturer().isEmpty() || !screen->model().isEmpty()) {
      shown.deviceId = "MONITOR\\" + (screen->manufacturer() + screen->model()).toStdString() + "\\" +
                       screen->serialNumber().toStdString();
    }
    screens.push_back(std::move(shown));
  }
  return screens;
}

Status ZafQtPresenter::Screenshot(ZafWindow& window, const std::string& path) {
  QWidget* top = Realized(window) ? m_bindings->WidgetFor(&window) : nullptr;
  if (top == nullptr) return kStatusNoItem;
  const QPixmap picture = top->grab();
  if (picture.isNull()) return kStatusWriteFailed;
  return picture.save(Q(path), "PNG") ? kStatusOk : kStatusWriteFailed;
}

bool ZafQtPresenter::OfferRaise(ZafWindow& window, std::unique_ptr<ZafRaiseChannel> channel) {
  if (!channel || channel->Descriptor() < 0 || !Realized(window)) return false;
  m_raiseNotifier.reset();
  m_raiseChannel = std::move(channel);
  m_raiseWindow = &window;
  m_raiseNotifier =
      std::make_unique<QSocketNotifier>(m_raiseChannel->Descriptor(), QSocketNotifier::Read);
  QObject::connect(m_raiseNotifier.get(), &QSocketNotifier::activated, m_filter.get(), [this] {
    m_raiseChannel->TakeRequest([this] {
      QWidget* top = m_raiseWindow != nullptr ? m_bindings->WidgetFor(m_raiseWindow) : nullptr;
      if (top == nullptr) return false;
      if (top->isMinimized()) top->showNormal();
      top->raise();
      top->activateWindow();
      return true;
    });
  });
  return true;
}

std::string ZafQtPresenter::QtFilter(const std::string& filter) {
  if (filter.find('|') == std::string::npos) return filter;
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t bar = filter.find('|');; bar = filter.find('|', start)) {
    parts.push_back(
        filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::string out;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty() && parts[i + 1].empty()) continue;
    std::string patterns = parts[i + 1];
    std::replace(patterns.begin(), patterns.end(), ';', ' ');
    // Programs here carry no extension: every file is "*", not "*.*".
    for (std::size_t at = patterns.find("*.*"); at != std::string::npos; at = patterns.find("*.*", at + 1)) {
      const bool alone = (at == 0 || patterns[at - 1] == ' ') && (at + 3 == patterns.size() || patterns[at + 3] == ' ');
      if (alone) patterns.replace(at, 3, "*");
    }
    if (!out.empty()) out += ";;";
    out += parts[i] + " (" + patterns + ")";
  }
  return out;
}

void ZafQtPresenter::TakeScreenshotOnShow(ZafWindow& window) {
  const std::string path = std::exchange(m_screenshotPath, {});
  m_screenshotPending = true;
  // After the window has set itself up and been laid out.
  QTimer::singleShot(0, m_filter.get(), [this, target = &window, path] {
    m_screenshotPending = false;
    if (!Realized(*target)) return;
    if (Screenshot(*target, path) == kStatusOk)
      std::fprintf(stderr, "screenshot saved to %s\n", path.c_str());
    else
      std::fprintf(stderr, "screenshot: cannot write %s\n", path.c_str());
    if (ZafApplication* application = ZafApplication::Get();
        application != nullptr && m_closeAfterScreenshot) {
      application->EventManager().Post(kZafEventClose, target);
    }
  });
}
