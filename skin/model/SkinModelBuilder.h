// Building a skin model from an unpacked skin: the description is parsed,
// every element is read from its section in a fixed order (later steps read
// earlier results), the fixed frame counts are imposed, and the combo box
// pieces, the combo arrow and the toolbar gradient are made from the loaded
// elements. The model under construction belongs to the builder alone; a
// step that throws leaves nothing half-built anywhere else.
#pragma once

#include "skin/load/WinSkinIni.h"
#include "skin/model/SkinModel.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TSkinReader;

// The model of a skin package whose reader holds it. Throws what a step
// throws (an observer's exception included).
TSkinModel BuildSkinModel(const TSkinReader& reader, const TSkinBuildObserver& observer = {});

class TSkinModelBuilder {
public:
    TSkinModelBuilder(const TSkinReader& reader, const TSkinBuildObserver& observer);
    TSkinModel Build();

private:
    void Built(std::string_view piece) const;

    // Loaders: each reads one section of the description.
    void LoadSkinBitmap(TBitmap& bitmap, std::string_view fileName) const;
    void ReadRgbKeys(std::string_view section, std::string_view prefix, TColor& colour) const;
    void LoadElement(std::unique_ptr<TDataSkinObject>& slot, std::string_view section) const;
    void LoadElementWithGlyph(std::unique_ptr<TDataSkinBorder>& slot, std::string_view section,
                              std::string_view glyphKey) const;
    void LoadProgressElement(std::unique_ptr<TDataSkinBorder>& slot, std::string_view section) const;
    void LoadBoxLabel(std::unique_ptr<TDataSkinBoxLabel>& slot, std::string_view section) const;
    void LoadMenuBarElement(std::unique_ptr<TDataSkinObject>& slot, std::string_view section) const;
    void LoadBuiltinElement(std::unique_ptr<TDataSkinObject>& slot, const char* resourceName) const;
    void LoadBorders();
    void LoadColours();
    void LoadCaptionButtons();
    void LoadMdiButtons();
    void LoadButtons();
    void LoadTitle();
    void FixFrameCounts();
    // Pieces made from the loaded elements.
    void BuildComboElements();
    void BuildComboArrow();
    void BuildToolbarElement();
    // An element of class E made from the common keys of a section.
    template <class E>
    std::unique_ptr<E> ReadElement(std::string_view section, bool readFrame) const;

    const TSkinReader& reader_;
    const TSkinBuildObserver& observer_;
    TQuickIni ini_;
    std::vector<std::string> sections_;
    TSkinModel model_;
};
