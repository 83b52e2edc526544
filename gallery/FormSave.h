#pragma once
// The save-location dialog: stores the browser's folder in one of six slots.
#include "Forms.h"

class FormSave : public LoadableForm {
    Q_OBJECT
public:
    FormSave();
};
