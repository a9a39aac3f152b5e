#pragma once

// The plain controls the forms are built from.
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/CommandButton.h"
#include "ui/Label.h"
#include "ui/Line.h"
#include "ui/RichTextBox.h"
#include "ui/TextBox.h"
#include "ui/Timer.h"
