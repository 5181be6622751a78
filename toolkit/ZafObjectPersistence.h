#pragma once

// Reads windows and data objects by name from a storage and builds live
// objects from them: each stored object is made by the maker of its class's
// row in the class table and reads its own fields (ReadStored). A window
// name can have a maker of its own, so that a dialog is read into an object
// of the application's class for it. One persistence can be the default,
// through which every later window reads itself.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "protocol/Status.h"
#include "toolkit/storage/StResourceObject.h"

class ZafBitmapData;
class ZafData;
class ZafDataManager;
class ZafLanguageData;
class ZafStorage;
class ZafWindow;
class ZafWindowObject;

class ZafObjectPersistence {
 public:
  using WindowMaker = std::function<std::unique_ptr<ZafWindow>()>;

  // Bitmaps read for images are kept in the data manager when one is given.
  explicit ZafObjectPersistence(const ZafStorage& storage, ZafDataManager* dataManager = nullptr);
  virtual ~ZafObjectPersistence();
  ZafObjectPersistence(const ZafObjectPersistence&) = delete;
  ZafObjectPersistence& operator=(const ZafObjectPersistence&) = delete;

  [[nodiscard]] static ZafObjectPersistence* Default();
  static void SetDefault(ZafObjectPersistence* persistence);

  // ReadWindow of that name makes its window with this maker (a class of the
  // application's own, which handles its events by overriding Event) and
  // reads the stored window into it; an empty maker removes it.
  void SetWindowMaker(const std::string& name, WindowMaker maker);

  // Reads the named window into an existing window object (a subclass the
  // application made): fields, then children, which replace any it had. The
  // stored object must be a window (kStatusWrongClass otherwise).
  [[nodiscard]] Status ReadInto(ZafWindow& window, const std::string& name);
  // Reads the named window: into the window its maker makes when the name has
  // one, else as the class it is stored as.
  [[nodiscard]] Status ReadWindow(const std::string& name, std::unique_ptr<ZafWindow>& out);
  // Builds one object (and its children) from its stored form.
  [[nodiscard]] Status Build(const StResourceObject& record, std::unique_ptr<ZafWindowObject>& out);

  [[nodiscard]] Status ReadData(const std::string& name, std::unique_ptr<ZafData>& out);
  // A bitmap by name, read once and kept in the data manager.
  [[nodiscard]] Status ReadBitmap(const std::string& name, const ZafBitmapData*& out);
  [[nodiscard]] Status ReadLanguageData(const std::string& name, const std::string& defaultLanguage,
                                        std::unique_ptr<ZafLanguageData>& out);

  [[nodiscard]] const ZafStorage& Storage() const { return m_storage; }

 private:
  [[nodiscard]] Status Apply(const StResourceObject& record, ZafWindowObject& object);
  static void DropChild(ZafWindowObject& parent);

  const ZafStorage& m_storage;
  ZafDataManager* m_dataManager;
  std::map<std::string, WindowMaker> m_windowMakers;
  std::vector<std::unique_ptr<ZafBitmapData>> m_ownBitmaps;
};
