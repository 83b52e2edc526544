#pragma once
// The enlarged view: the picture over the whole screen.
#include "Forms.h"

class FormBlowUp : public LoadableForm {
    Q_OBJECT
public:
    FormBlowUp();
};
