#pragma once
// The picture information window.
#include "Forms.h"

class FormInfo : public LoadableForm {
    Q_OBJECT
public:
    FormInfo();
};
