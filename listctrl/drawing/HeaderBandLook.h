#pragma once
#include <string>
#include <tuple>
#include <vector>

// Everything the list's header band shows. The band keeps its last picture
// with the look it was drawn from and draws again only when the look has
// changed, so no caller has to say when it changed.
struct HeaderBandLook {
    struct Item {
        std::wstring Title;
        int Width = 0;
        int Image = -1;
        int Fixed = 0;
        unsigned Flags = 0;
        int Id = 0;

        bool operator==(const Item& other) const {
            return std::tie(Title, Width, Image, Fixed, Flags, Id) ==
                   std::tie(other.Title, other.Width, other.Image, other.Fixed, other.Flags,
                            other.Id);
        }
    };

    std::vector<Item> Items;  // display order
    bool SortEnabled = false;
    bool SortAscending = false;
    int SortColumnId = -1;
    int HotColumn = -1;
    int PressedColumn = -1;
    int Left = 0;  // x of the first column: minus the horizontal scroll position
    int Width = 0;  // the client width
    int Height = 0;
    int ContentWidth = 0;
    bool Themed = false;
    unsigned MetricsGeneration = 0;  // fonts, colours, themes, images

    bool operator==(const HeaderBandLook& other) const {
        return std::tie(Items, SortEnabled, SortAscending, SortColumnId, HotColumn, PressedColumn,
                        Left, Width, Height, ContentWidth, Themed, MetricsGeneration) ==
               std::tie(other.Items, other.SortEnabled, other.SortAscending, other.SortColumnId,
                        other.HotColumn, other.PressedColumn, other.Left, other.Width,
                        other.Height, other.ContentWidth, other.Themed, other.MetricsGeneration);
    }
    bool operator!=(const HeaderBandLook& other) const { return !(*this == other); }
};
