#include "IQuoteService.h"

namespace {
IQuoteService* g_quoteService = nullptr;
}

IQuoteService* quoteService()
{
    return g_quoteService;
}
void installQuoteService(IQuoteService* service)
{
    g_quoteService = service;
}
