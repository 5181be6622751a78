#include "functions/CAppletModelFactory.h"

CAppletModelFactory::~CAppletModelFactory() = default;
