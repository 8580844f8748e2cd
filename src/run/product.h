// The product's fixed texts (lang/product.h) under the names the run and the layers above it
// use.
#pragma once

#include "lang/product.h"

namespace kinloom::run {

using lang::kApplicationTitle;
using lang::kAuthorCredit;
using lang::kAuthorName;
using lang::kContactAddress;
using lang::kHomePage;
using lang::kProductString;
using lang::kProgramVersion;
using lang::kTitleCredit;

}  // namespace kinloom::run
