#include "toolkit/ToolkitFixture.h"

void ToolkitFixture::SetUp() {
  auto presenter = std::make_unique<ZafHeadlessPresenter>();
  m_presenter = presenter.get();
  char argument0[] = "/nonexistent/Tablet.cpl";
  char* argv[] = {argument0, nullptr};
  m_application = std::make_unique<ZafApplication>(1, argv, std::move(presenter));
  ASSERT_EQ(m_storage.Open(KELVO_TOOLKIT_FIXTURE), kStatusOk);
  m_persistence = std::make_unique<ZafObjectPersistence>(m_storage, &m_application->DataManager());
}

void ToolkitFixture::TearDown() {
  m_persistence.reset();
  m_application.reset();
}

std::unique_ptr<ZafWindow> ToolkitFixture::Load(const std::string& name) {
  std::unique_ptr<ZafWindow> window;
  EXPECT_EQ(m_persistence->ReadWindow(name, window), kStatusOk) << name;
  return window;
}
