#include "menus/UnitHint.h"

TFmHint::TFmHint() : TNonActivatingForm(u"TFmHint") { CreateForm(); }
