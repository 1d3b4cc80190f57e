// Drawing objects: brushes, pens, bitmaps and fonts. They are created by the
// game, selected into device contexts for drawing, and deleted by whoever
// made them. Stock objects belong to the platform: deleting one does nothing.
// An object still selected into a device context is not deleted (the call
// answers FALSE), so a device context never draws with a freed object.
#pragma once

#include <memory>

#include "platform/base/handles.h"
#include "platform/base/types.h"

inline constexpr int PS_SOLID = 0;

// The stock objects the game asks for.
enum StockBrush { NULL_BRUSH = 5 };
enum StockPen { NULL_PEN = 8 };

namespace platform {

struct BrushObject {
    COLORREF colour = 0;
    bool hollow = false;  // paints nothing: the null brush
    bool stock = false;
    int selections = 0;  // device contexts that hold it
};

struct PenObject {
    int style = PS_SOLID;
    int width = 0;  // 0 draws one pixel wide
    COLORREF colour = 0;
    bool stock = false;
    int selections = 0;
    bool hollow = false;  // draws nothing: the null pen
};

// Brushes, pens, bitmaps and fonts made and not yet deleted; tests use it to find leaks.
int liveDrawingObjects();

// What a new device context holds before the game selects anything:
// a white brush and a black pen one pixel wide.
HBRUSH defaultBrush();
HPEN defaultPen();

namespace detail {
void countCreated();
void countDeleted();

// DeleteObject for every kind of drawing object: a stock object stays, and
// one still selected into a device context is refused.
template <typename Object, typename Selected>
BOOL deleteDrawingObject(Object* object, Selected selected) {
    if (object == nullptr) {
        return FALSE;
    }
    if (object->stock) {
        return TRUE;
    }
    if (selected(*object)) {
        return FALSE;
    }
    countDeleted();
    delete object;
    return TRUE;
}
}  // namespace detail

}  // namespace platform

HBRUSH CreateSolidBrush(COLORREF colour);
HPEN CreatePen(int style, int width, COLORREF colour);
HBRUSH GetStockObject(StockBrush which);
HPEN GetStockObject(StockPen which);
BOOL DeleteObject(HBRUSH brush);
BOOL DeleteObject(HPEN pen);
BOOL DeleteObject(HBITMAP bitmap);
BOOL DeleteObject(HFONT font);

namespace platform {

// Owning handles for code that can tie an object's life to a scope.
struct DeleteGdiObject {
    template <class Object>
    void operator()(Object* object) const {
        DeleteObject(object);
    }
};
using OwnedBrush = std::unique_ptr<BrushObject, DeleteGdiObject>;
using OwnedPen = std::unique_ptr<PenObject, DeleteGdiObject>;
using OwnedBitmap = std::unique_ptr<BitmapObject, DeleteGdiObject>;
using OwnedFont = std::unique_ptr<FontObject, DeleteGdiObject>;

}  // namespace platform
