#include "model/CKelvoObject.h"

CKelvoObject::~CKelvoObject() = default;

Status CKelvoObject::Start() { return kStatusNotSupported; }

Status CKelvoObject::Stop() { return kStatusNotSupported; }

Status CKelvoObject::Load(const void* /*source*/) { return kStatusNotSupported; }

Status CKelvoObject::Store(void* /*target*/) { return kStatusNotSupported; }

Status CKelvoObject::Check(std::uint16_t* result) {
  if (result != nullptr) *result = kStatusNotSupported;
  return kStatusNotSupported;
}

Status CKelvoObject::Handle(void* /*argument*/) { return kStatusNotSupported; }
