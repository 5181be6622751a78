#pragma once

// Reads windows and data objects by name from a storage and builds live
// objects from them, by class name: each window-object class of the class
// table has a maker; the system's own classes (names beginning with C) are
// made by their own classes. One persistence can be the default, through
// which every later window reads itself.

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
  using Maker = std::function<std::unique_ptr<ZafWindowObject>()>;

  // Bitmaps read for images are kept in the data manager when one is given.
  explicit ZafObjectPersistence(const ZafStorage& storage, ZafDataManager* dataManager = nullptr);
  virtual ~ZafObjectPersistence();
  ZafObjectPersistence(const ZafObjectPersistence&) = delete;
  ZafObjectPersistence& operator=(const ZafObjectPersistence&) = delete;

  [[nodiscard]] static ZafObjectPersistence* Default();
  static void SetDefault(ZafObjectPersistence* persistence);

  // Replaces the maker of a class (a name of the class table).
  void SetMaker(const std::string& className, Maker maker);

  // Reads the named window into an existing window object (a subclass the
  // application made): fields, then children, which replace any it had.
  [[nodiscard]] Status ReadInto(ZafWindow& window, const std::string& name);
  // Reads the named window as the class it is stored as.
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

  const ZafStorage& m_storage;
  ZafDataManager* m_dataManager;
  std::map<std::string, Maker> m_makers;
  std::vector<std::unique_ptr<ZafBitmapData>> m_ownBitmaps;
};
