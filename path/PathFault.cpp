#include "path/PathFault.h"

const char* pathFieldName(TPathField field)
{
    switch (field) {
    case TPathField::Bandwidth:
        return "Bandwidth";
    case TPathField::RoundTrip:
        return "Round trip";
    case TPathField::Mtu:
        return "Link MTU";
    case TPathField::Stack:
        return "Encapsulation";
    case TPathField::Window:
        return "Receive window";
    case TPathField::Loss:
        return "Loss rate";
    case TPathField::Size:
        return "Transfer size";
    }
    return "";
}
