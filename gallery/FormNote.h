#pragma once
// The note editor: a plain-text note kept beside each picture.
#include "Forms.h"

class FormNote : public LoadableForm {
    Q_OBJECT
public:
    FormNote();
};
