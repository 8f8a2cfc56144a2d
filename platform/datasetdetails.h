#pragma once
// Inside the dataset layer: what a master does before its cursor leaves the current row.
class Dataset;

// Every detail's pending edit (and its own details'), posted or cancelled as
// CheckBrowseMode does, before `master` moves; false (or the EAbort of a before-post
// handler) when one cannot be posted: the master then stays where it is, since moving
// first would show the next master over this one's detail rows.
bool leaveDetails(Dataset *master);
