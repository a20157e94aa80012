#include "core/UDataModule1.h"

TDataModule1* DataModule1 = nullptr;
