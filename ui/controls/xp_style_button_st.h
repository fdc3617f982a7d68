// CXPStyleButtonST: the image button that the windows instantiate. It draws as CButtonST does:
// flat, no border in any state. (No window lends it a theme, so it has no themed drawing.)
#pragma once

#include "ui/controls/button_st.h"

class CXPStyleButtonST : public CButtonST {
public:
    CXPStyleButtonST() = default;
};
