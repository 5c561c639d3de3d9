#include "printing/P001.h"

bool P001::PrintGridAPI()
{
    ++m_requests;
    return true;
}
