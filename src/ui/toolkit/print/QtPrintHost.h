#pragma once
// The print panel of the program: a preview of the pages beside the program's print options,
// with the page set-up, the printer's own dialog and saving the pages as a PDF. Every change of
// the options or of the paper lays the pages out again and redraws the preview.
#include "toolkit/host/UiHost.h"

class QtPrintHost : public IPrintHost {
public:
    bool runPrintOperation(const PrintRequest& request) override;
};
