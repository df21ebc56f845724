[playlist]
File1=a.mp3
Title1=First
Length1=61
File2=http://x.example/s
Length2=-1
NumberOfEntries=2
Version=2
