#include "model/CModelContext.h"

CModelContext::~CModelContext() = default;
