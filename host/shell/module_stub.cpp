// The loadable module is the module library linked whole; this file only gives the target a source.
