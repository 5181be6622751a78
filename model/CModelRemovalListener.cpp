#include "model/CModelRemovalListener.h"

CModelRemovalListener::~CModelRemovalListener() = default;
