#pragma once

class TrpBuild;

// Binds the objects of a build to data fields, once, before any band is
// output: an object whose first line is "[name]..." is bound to the field
// the name resolves to, through a named value of the data-field kind or as
// the report's lookup finds a field with the object's band being output.
// A picture or memo bound to a picture or binary field takes its content
// from the field's bytes when it is output.
namespace TrpFieldBinding {

void bind(TrpBuild &build);

} // namespace TrpFieldBinding
