#include "host/CWinObjectFactory.h"

#include <new>

#include "driver/CWinDriverInterface.h"
#include "host/CWinEventTranslator.h"
#include "host/CWinStringManager.h"

std::unique_ptr<CDriverInterface> CWinObjectFactory::MakeDriverInterface() {
  return std::unique_ptr<CDriverInterface>(new (std::nothrow) CWinDriverInterface());
}

std::unique_ptr<CEventTranslator> CWinObjectFactory::MakeEventTranslator() {
  return std::unique_ptr<CEventTranslator>(new (std::nothrow) CWinEventTranslator());
}

std::unique_ptr<CStringManager> CWinObjectFactory::MakeStringManager() {
  return std::unique_ptr<CStringManager>(new (std::nothrow) CWinStringManager());
}
