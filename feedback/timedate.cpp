// not built yet
