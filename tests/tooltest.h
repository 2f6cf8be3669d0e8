#pragma once

#include "tools/formulas/formulastool.h"
#include "tools/host/toolhost.h"
#include "tools/keyboard/keyboardtool.h"
#include "tools/lessonfile/lessonfiletool.h"
#include "tools/picture/picturetool.h"
#include "tools/predict/predicttool.h"
#include "tools/predict/predictview.h"

/// A tool of a lesson window.
template<class T> T &toolOf(const QWidget &window)
{
    return *ToolHost::of(&window)->find<T>();
}
