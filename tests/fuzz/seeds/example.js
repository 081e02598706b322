vtl_prefs = {
  viewertype: "builtin",
  openingmode: "tab"};
