#pragma once

#include <QStringView>

// A column of a search grid: the data set field it shows, its title and its
// width in pixels.
struct GridColumn
{
    QStringView field;
    QStringView title;
    int width;
};
