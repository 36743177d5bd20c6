#pragma once
// Names and codes edited in place: a name must not be empty and must be unique among its
// siblings, a code must not be empty and must be unique in the whole tree, and neither may
// be a text the model file cannot carry. A refused text reverts to the one the node had,
// with a "Sorry..." message. Names keep 80 bytes and codes 25, cut at a character boundary,
// as the model records keep them.

#include <string>

#include "designer/frmMain/EditorState.h"

namespace vantorell {

inline constexpr std::size_t kNameLimit = 80;
inline constexpr std::size_t kCodeLimit = 25;

inline constexpr const char* kValueRequiredMessage = "Sorry, a value must be specified.";

// "Sorry, the value entered (i.e. <text>), " CR "is already being used by row <row> (i.e.
// <name>)."; the editors' refusal of a name or code that another row holds.
std::string strValueUsedMessage(const std::string& text, int row, const std::string& name);
// The same for the tree, whose row counts the nodes in depth-first order from 1.
std::string strDimsCatsDuplicateMessage(const std::string& text, const TreeNode& holder);

// The "Sorry..." text for a name or code the model file cannot carry; empty when it can. No
// text may hold a line break or begin with "<" (the reader skips such records), and no name
// may be "*" alone (it would end its section).
std::string strModelTextRefusal(const std::string& text, bool code);
// The same for the tree, whose names may not begin with ">" either (which marks a parent
// category, and any node may end up as a category without subcategories).
std::string strDimsCatsNameRefusal(const std::string& name);
std::string strDimsCatsCodeRefusal(const std::string& code);

// The "Sorry..." text when the node, about to become a category without subcategories,
// has a name such a category cannot keep in a model file (a name that begins with ">", as
// a parent category read from a file may have); empty when it may.
std::string strDimsCatsLeafRefusal(const TreeNode& node);

// The node's other sibling whose name is the text, or none.
TreeNode* tneDimsCatsSiblingNamed(TreeNode& firstSibling, const std::string& name,
                                  const TreeNode* skipped);

// The name entered for the node, checked: true when it may be stored (as `text`, cut to 80
// bytes); false, with `text` back at the node's name and a message, when not.
bool flgDimsCatsValidateNode(TreeNode& node, std::string& text);

// End of a name's in-place edit: the text is checked; once accepted, a dimension's new name
// replaces its old one in the measures grid's "Weighting Dimension" cells. The node then
// takes `text`.
void tvwDimsCatsEdited(EditorState& editors, TreeNode& node, std::string& text);

// The measures grid's "Weighting Dimension" cells that name the node, when it is a
// dimension, take the replacement: its new name, or nothing once it is no dimension.
void nulWeightingDimensionReplace(EditorState& editors, const TreeNode& node,
                                  const std::string& replacement);

// End of a code's in-place edit in the code list: the node of the item edited takes the text
// as its code when it is not empty and no other node has it; otherwise `text` reverts to the
// node's code, with a message. The list then shows the codes again.
void lvwDimsCatsEdited(EditorState& editors, TreeNode& node, std::string& text);

}  // namespace vantorell
