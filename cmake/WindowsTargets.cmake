# Windows-only targets: the rooms above the portable core, and the program itself.
