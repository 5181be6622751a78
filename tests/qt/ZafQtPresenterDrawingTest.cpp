// What the presenter draws itself (the system's own controls) and colours
// from the colour table, checked on the pixels of the grabbed widgets.

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTabWidget>

#include "qt/QtFixture.h"
#include "support/CTempDir.h"
#include "toolkit/controls/CPressureTestWnd.h"
#include "toolkit/controls/CThumbnail.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafPrompt.h"

namespace {

using QtDrawing = QtFixture;

QColor TableColour(const ZafDisplay& display, int index) {
  const std::uint32_t value = display.Colour(index);
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

TEST_F(QtDrawing, AThumbnailOutlinesItsRectanglesScaledInTheirColours) {
  ZafWindow window;
  window.SetRegion(ZafRegion::FromSize(0, 0, 240, 160));
  auto* thumbnail = static_cast<CThumbnail*>(window.Add(std::make_unique<CThumbnail>()));
  thumbnail->SetRegion(ZafRegion::FromSize(10, 10, 200, 100));
  m_application->WindowManager().Add(window);
  // The caller's units are twice the control's pixels.
  thumbnail->SetExtent(400, 200);
  thumbnail->SetRectangles({{ZafRegion{40, 20, 199, 119}, 12}, {ZafRegion{200, 100, 399, 199}, 9}});
  const QImage picture = m_presenter->WidgetFor(*thumbnail)->grab().toImage();
  const ZafDisplay& display = m_application->Display();
  EXPECT_EQ(picture.pixelColor(20, 10), TableColour(display, 12)) << "top-left corner of the first";
  EXPECT_EQ(picture.pixelColor(99, 59), TableColour(display, 12))
      << "bottom-right corner of the first";
  EXPECT_EQ(picture.pixelColor(100, 50), TableColour(display, 9))
      << "top-left corner of the second";
  EXPECT_NE(picture.pixelColor(60, 35), TableColour(display, 12)) << "the inside is not filled";
  m_application->WindowManager().Subtract(window);
}

TEST_F(QtDrawing, ThePressureBarFillsItsShareOfTheWidth) {
  ZafWindow window;
  window.SetRegion(ZafRegion::FromSize(0, 0, 240, 60));
  auto* bar = static_cast<CPressureTestWnd*>(window.Add(std::make_unique<CPressureTestWnd>()));
  bar->SetRegion(ZafRegion::FromSize(10, 10, 202, 20));
  bar->SetColours(10, -1);
  m_application->WindowManager().Add(window);
  const QColor fill = TableColour(m_application->Display(), 10);
  struct StCase {
    std::int32_t pressure;
    int filledUpTo;  // last filled column inside the frame
  };
  for (const StCase c : {StCase{0, 0}, StCase{512, 100}, StCase{1023, 200}}) {
    bar->SetPressure(c.pressure, 1023);
    const QImage picture = m_presenter->WidgetFor(*bar)->grab().toImage();
    if (c.filledUpTo > 0) {
      EXPECT_EQ(picture.pixelColor(c.filledUpTo, 10), fill) << c.pressure;
    }
    if (c.filledUpTo < 200) {
      EXPECT_NE(picture.pixelColor(c.filledUpTo + 2, 10), fill) << c.pressure;
    }
  }
  m_application->WindowManager().Subtract(window);
}

TEST_F(QtDrawing, ObjectColoursComeFromTheColourTable) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  auto& prompt = Find<ZafPrompt>(main, "TipFeelLowPrompt");
  prompt.SetColours(12, 14);
  QWidget* label = m_presenter->WidgetFor(prompt);
  EXPECT_EQ(label->palette().color(QPalette::WindowText),
            TableColour(m_application->Display(), 12));
  EXPECT_EQ(label->palette().color(QPalette::Window), TableColour(m_application->Display(), 14));
  EXPECT_EQ(label->grab().toImage().pixelColor(1, 1), TableColour(m_application->Display(), 14));
}

TEST_F(QtDrawing, ScreenshotsOfTheMainWindowDifferFromTabToTab) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  auto& notebook = Find<ZafNotebook>(main, "TabsWindow");
  CTempDir temp;
  std::vector<QImage> pictures;
  for (std::size_t i = 0; i < notebook.PageCount(); ++i) {
    notebook.SetCurrentPage(static_cast<int>(i));
    const std::string path = temp.Path() + "/tab" + std::to_string(i) + ".png";
    ASSERT_EQ(m_presenter->Screenshot(main, path), kStatusOk);
    pictures.emplace_back(QString::fromStdString(path), "PNG");
    ASSERT_FALSE(pictures.back().isNull());
  }
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    for (std::size_t j = i + 1; j < pictures.size(); ++j)
      EXPECT_NE(pictures[i], pictures[j]) << i << " and " << j;
  }
}

}  // namespace
