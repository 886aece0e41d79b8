#include "DocContext.h"

DocContext& DocContext::instance()
{
    static DocContext context;
    return context;
}

void DocContext::reset()
{
    instance() = DocContext();
}
