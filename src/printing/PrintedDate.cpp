#include "printing/PrintedDate.h"

#include "core/EraDate.h"

QString PrintedDate(TDateTime date)
{
    return date == DateTime::None ? QString() : FormatEraDate(date);
}
