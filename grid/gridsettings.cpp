#include "grid/gridsettings.h"

void TCellNode::SetNodeType(TNodeType Value)
{
    if (nodeType_ == Value)
        return;
    nodeType_ = Value;
    Repaint();
}

void TCellNode::SetShowTree(bool Value)
{
    if (showTree_ == Value)
        return;
    showTree_ = Value;
    Repaint();
}

void TCellNode::Assign(const TCellNode& Source)
{
    Color = Source.Color;
    NodeColor = Source.NodeColor;
    SetExpandGlyph(Source.expandGlyph_);
    SetContractGlyph(Source.contractGlyph_);
    SetNodeType(Source.nodeType_);
    SetShowTree(Source.showTree_);
}

void TSizeWhileTyping::Assign(const TSizeWhileTyping& Source)
{
    *this = Source;
}

void TMouseActions::Assign(const TMouseActions& Source)
{
    *this = Source;
}

void TColumnSize::SetStretch(bool Value)
{
    stretch_ = Value;
    if (Grid())
        Grid()->StretchColumn(StretchColumn);
}

void TColumnSize::Assign(const TColumnSize& Source)
{
    *this = Source;
    SetStretch(Source.stretch_);
}

void TNavigation::Assign(const TNavigation& Source)
{
    *this = Source;
}

void THTMLSettings::Assign(const THTMLSettings& Source)
{
    *this = Source;
}
